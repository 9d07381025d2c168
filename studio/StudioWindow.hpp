#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>

#include "addin/AddinContext.hpp"
#include "addin/Connect.hpp"
#include "host/Application.hpp"
#include "host/Services.hpp"
#include "studio/LayoutReport.hpp"
#include "studio/QtHttpClient.hpp"
#include "studio/QtFormDriver.hpp"
#include "studio/UndoStack.hpp"
#include "studio/WindowPlaces.hpp"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

namespace velmora::studio {

class RibbonBar;
class SlideImages;
class SlideList;
class SlideView;

struct StudioOptions {
    // Slide pictures through LibreOffice; tests of the window alone go without.
    bool slidePictures = true;
    // The screen picker's X11 screen, where a display can be opened.
    bool desktopScreen = true;
    // The add-in's start-up routine (usage count, update check) at Start,
    // as at every start of the presentation program.
    bool startUp = true;
};

// The desktop host's main window: the add-in's ribbon tab, the slide list and
// the slide shown, the File menu, and the presentation open in its one
// document window. The add-in is connected when the window starts, which
// runs its start-up routine as the presentation program does.
class StudioWindow : public QMainWindow {
public:
    explicit StudioWindow(host::Services services, StudioOptions options = {});
    ~StudioWindow() override;

    // The platform's services with the studio's own prompts, Qt dialogs.
    static host::Services DesktopServices();

    // Connects the add-in (its start-up routine may ask questions); call
    // once the window is shown.
    void Start();
    // A start of the studio: the window and the decks show first, then the
    // add-in connects, while its update check waits on the network.
    void Launch(const std::vector<std::filesystem::path>& files);

    // Each returns false when it failed or the user cancelled. A deck the
    // user may not write opens read-only, and Save asks for another name.
    bool Open(const std::filesystem::path& file);
    // The first deck opens here, each other one in a window of its own.
    void OpenAll(const std::vector<std::filesystem::path>& files);
    bool Save();
    bool SaveAs(const std::filesystem::path& file);
    // Asks first when the presentation holds changes.
    bool CloseDocument();

    // Presses a ribbon command as the ribbon does.
    void Press(const std::string& onAction, const addin::RibbonPress& press);
    // Takes back or brings again the last command run; false when there was none.
    bool Undo();
    bool Redo();

    RibbonBar& Ribbon() const { return *ribbon_; }
    SlideList& Slides() const { return *slides_; }
    SlideView& View() const { return *view_; }
    const UndoStack& UndoSteps() const { return undo_; }
    QtFormDriver& Driver() { return driver_; }
    host::Application& Application() const { return *application_; }
    // Null when no presentation is open.
    host::Ref<host::Presentation> Presentation() const { return presentation_; }
    std::vector<std::filesystem::path> RecentFiles() const;
    // How many times LibreOffice's pictures have come, for timing them.
    int PictureRounds() const { return pictureRounds_; }
    // How many times the shown slide's picture has come ahead of the others.
    int FirstPictureRounds() const { return firstPictureRounds_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The window's own parts of the services: the main window the tools
    // reach, and requests that keep it answering while they wait.
    host::Services WithWindowParts(host::Services services);
    // Without an X11 display the picker has no screen and says so.
    void AttachScreen();
    // While the add-in waits on the network the ribbon rests, the wait shows
    // in the status bar and may be cancelled.
    void ShowWaiting(bool waiting);
    QSize FirstSize() const;
    // A close asked for while the add-in waited comes once its call is over.
    void CloseIfAsked();
    void BuildMenus();
    void FillRecentMenu();
    void Remember(const std::filesystem::path& file);
    // Asks about unsaved changes; false when the user keeps the deck open.
    bool MayClose();
    // Closes the deck shown without asking.
    void DropDocument();
    void OpenDialog();
    void OpenInNewWindow(const std::filesystem::path& file);
    void SaveAsDialog();
    void SlidesClicked(const std::vector<int>& order, int clicked);
    // Shows whatever a command or a dialog changed: the slides, the
    // selection, the title, and new pictures when the presentation changed.
    void ShowChanges();
    void ShowSelection();
    void RequestPictures();
    // Until LibreOffice's pictures come, each slide shows what the host's geometry draws.
    void ShowPlaceholders();
    // The slide in the view is drawn first and shown before the others come.
    void FirstPictureDrawn(int slide, const QImage& picture);
    void PicturesDrawn(const std::vector<QImage>& slides, const QString& error);
    void UpdateTitle();
    void UpdateUndoActions();
    bool TakeStep(bool (UndoStack::*step)(host::Presentation&), const char* what);
    void ReportFailure(const QString& what);

    std::shared_ptr<QtHttpClient> http_;
    bool closeAsked_ = false;
    host::Services services_;
    StudioOptions options_;
    std::shared_ptr<host::Application> application_;
    QtFormDriver driver_;
    addin::AddinContext context_;
    addin::Connect connect_;
    host::Ref<host::Presentation> presentation_;
    std::optional<std::uint64_t> drawnRevision_;
    bool readOnly_ = false;
    int slideCount_ = 0;
    int shownSlide_ = 1;
    std::vector<QImage> pictures_;
    int pictureRounds_ = 0;
    int firstPictureRounds_ = 0;
    UndoStack undo_;
    // What a dialog's input is undone as: the command that opened the dialog.
    QString lastCommand_;

    RibbonBar* ribbon_ = nullptr;
    SlideList* slides_ = nullptr;
    SlideView* view_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* cancelWait_ = nullptr;
    std::unique_ptr<SlideImages> images_;
    std::unique_ptr<LayoutReport> layout_;
    std::unique_ptr<WindowPlaces> places_;
};

}  // namespace velmora::studio
