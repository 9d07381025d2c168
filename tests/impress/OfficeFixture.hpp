#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/util/URL.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <gtest/gtest.h>

#include "tests/support/Decks.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {

// One soffice for the whole binary, with velmora.oxt installed by unopkg
// into a profile of its own: headless with the component's scripted prompts
// on, or on the test's X display with its real dialogs and message boxes.
class Office {
public:
    // The binary's office, started headless on first use unless OnDesktop came first.
    static Office& Get();
    static Office& OnDesktop();
    ~Office();

    css::uno::Reference<css::uno::XComponentContext> context() const { return context_; }
    css::uno::Reference<css::frame::XDesktop2> desktop() const { return desktop_; }
    const std::filesystem::path& folder() const { return dir_.path(); }
    const std::filesystem::path& settings() const { return settings_; }
    // The office's top-level windows, the component's dialogs among them.
    std::vector<css::uno::Reference<css::awt::XTopWindow>> TopWindows() const;
    // The messages the component showed since the last call, one "[TITLE] TEXT" line each.
    std::string TakeMessages();
    // The addresses and folders given to the desktop since the last call.
    std::vector<std::string> TakeOpened();

private:
    enum class Kind { Headless, Desktop };

    static Office& Started(Kind kind);
    explicit Office(Kind kind);
    std::vector<std::string> Layers() const;
    void Install() const;
    void Start();
    void Connect();

    Kind kind_;
    TempDir dir_;
    std::filesystem::path profile_;
    std::filesystem::path transcript_;
    std::filesystem::path settings_;
    std::filesystem::path opened_;
    std::string pipe_;
    int pid_ = -1;
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::frame::XDesktop2> desktop_;
};

// The services of the views a deck's window shows.
inline constexpr const char* kNormalView = "com.sun.star.drawing.DrawingDocumentDrawView";
inline constexpr const char* kOutlineView = "com.sun.star.presentation.OutlineView";
inline constexpr const char* kSlideSorter = "com.sun.star.presentation.SlidesView";

// Script arguments of a dispatch, named as the command line's options.
using Script = std::vector<std::pair<std::string, std::string>>;

// The font dialog's script that gives every title DejaVu Serif at 24 points.
inline const Script kTitlesInDejaVuSerif24{{"--set", "OptionButton2=true"},  {"--set", "CheckBox1=true"},
                                           {"--set", "CheckBox8=true"},      {"--set", "ComboBox2=DejaVu Serif"},
                                           {"--set", "OptionButton10=true"}, {"--set", "ComboBox3=24"},
                                           {"--click", "CommandButton1"}};

// A deck open in an Impress window, as a user opens it (headless, so never
// shown; hidden documents would not start the add-in's start-up routine).
class LiveDeck {
public:
    explicit LiveDeck(const std::filesystem::path& file);
    // A new document of another kind ("private:factory/sdraw").
    static LiveDeck New(const std::string& factory);
    // The deck opened read-only, as Impress opens a file the user may not write.
    static LiveDeck ReadOnly(const std::filesystem::path& file);
    ~LiveDeck();
    LiveDeck(const LiveDeck&) = delete;
    LiveDeck& operator=(const LiveDeck&) = delete;

    // Presses a ribbon command through the vnd.velmora: address the menu uses.
    void Press(const std::string& onAction, const std::string& controlId, const Script& script = {});
    // Runs an Impress command (".uno:…") in the deck's window, as its menu does.
    void Run(const std::string& command) const;
    // Whether the window shows the view of the service (kNormalView, …).
    bool Shows(const char* view) const;
    // Runs the command that switches views and waits until the view shows:
    // Impress changes views after the command has returned.
    void SwitchView(const std::string& command, const char* view) const;
    // Whether the command's menu entry is enabled in this document's window.
    bool Enabled(const std::string& onAction, const std::string& controlId) const;
    void StoreAs(const std::filesystem::path& file) const;
    // The slide the window shows, as the user picks it in the slide pane.
    void ShowSlide(int index) const;
    // Gives characters of a shape's text (from 0) a font of their own, as
    // the user's own editing would, outside any undo step of ours.
    void SetFont(int slideIndex, int shapeIndex, int from, int length, const std::string& font) const;
    // Selects the shape (from 1) of a slide as a click would; its name.
    std::string SelectShape(int slideIndex, int shapeIndex) const;
    // The fill colour of a shape (from 1) of a slide, as 0xRRGGBB.
    sal_Int32 FillColour(int slideIndex, int shapeIndex) const;
    void Undo() const;
    void Redo() const;
    std::vector<std::string> UndoTitles() const;
    // The text a command's menu entry takes from its state in this document's
    // window: for .uno:Undo, "Undo: " and the step's name.
    std::string MenuText(const std::string& command) const;
    const css::uno::Reference<css::frame::XModel>& model() const { return model_; }

private:
    explicit LiveDeck(const std::string& url, bool readOnly = false);
    // The frame's dispatch for a command address, with the address parsed into `url`.
    css::uno::Reference<css::frame::XDispatch> Dispatch(css::util::URL& url, const std::string& command) const;

    css::uno::Reference<css::frame::XModel> model_;
};

}  // namespace velmora::testing
