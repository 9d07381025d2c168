#include "studio/StudioWindow.hpp"

#include <algorithm>

#include <unistd.h>

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "addin/CommandErrors.hpp"
#include "addin/RibbonDefinition.hpp"
#include "host/HostError.hpp"
#include "host/Presentation.hpp"
#include "host/Prompts.hpp"
#include "host/SettingsStore.hpp"
#include "host/Slide.hpp"
#include "platform/PlatformServices.hpp"
#include "pptx/DocumentHost.hpp"
#include "studio/FailureText.hpp"
#include "studio/QtHostWindow.hpp"
#include "studio/QtPrompts.hpp"
#include "studio/RibbonBar.hpp"
#include "studio/SlideImages.hpp"
#include "studio/SlideList.hpp"
#include "studio/SlidePlaceholder.hpp"
#include "studio/SlideView.hpp"
#ifdef VELMORA_STUDIO_X11
#include "studio/QtEventLoop.hpp"
#include "x11/X11Screen.hpp"
#endif

namespace velmora::studio {
namespace {

constexpr const char* kStudioName = "Velmora Studio";
constexpr const char* kRecentSection = "Studio-RecentFiles";
constexpr int kRecentCount = 6;
constexpr int kPictureWidth = 1280;
constexpr int kPlaceholderWidth = 480;
constexpr QSize kRoomySize(1280, 820);
constexpr double kShareOfScreen = 0.95;
constexpr const char* kDrawingText = "正在绘制幻灯片...";

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// A command as the ribbon shows it.
QString LabelOf(const std::string& onAction)
{
    for (const addin::RibbonCommand& command : addin::RibbonCommands()) {
        if (command.onAction == onAction) {
            return Text(command.label).trimmed();
        }
    }
    return Text(onAction);
}

// The decks among dropped files; other files and addresses are not taken.
std::vector<std::filesystem::path> DroppedDecks(const QMimeData& data)
{
    std::vector<std::filesystem::path> decks;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(".pptx", Qt::CaseInsensitive)) {
            decks.emplace_back(url.toLocalFile().toStdString());
        }
    }
    return decks;
}

// Not writable by its owner, or not by this user.
bool ReadOnlyFile(const std::filesystem::path& file)
{
    std::error_code error;
    const auto permissions = std::filesystem::status(file, error).permissions();
    return !error && ((permissions & std::filesystem::perms::owner_write) == std::filesystem::perms::none ||
                      ::access(file.c_str(), W_OK) != 0);
}

std::string RecentKey(int index)
{
    return "File" + std::to_string(index + 1);
}

}  // namespace

host::Services StudioWindow::DesktopServices()
{
    return platform::PlatformServices({std::make_shared<QtPrompts>()});
}

StudioWindow::StudioWindow(host::Services services, StudioOptions options)
    : services_(WithWindowParts(std::move(services))), options_(options), application_(pptx::CreateDocumentHost(services_)),
      driver_(this), context_{services_, &driver_, options_.startUp}, connect_(context_)
{
    setObjectName("studio");
    pptx::KeepOfficeRunning(*application_);
    if (auto prompts = std::dynamic_pointer_cast<QtPrompts>(services_.prompts)) {
        prompts->SetParent(this);
        prompts->SetBeforeShowing([this] { driver_.Refresh(); });
    }
    driver_.SetBeforeInput([this] { undo_.Begin(presentation_, lastCommand_); });
    driver_.SetAfterInput([this] {
        undo_.End();
        ShowChanges();
    });
    AttachScreen();
    driver_.SetErrorReport([this](const std::string& error) { ReportFailure(Unfinished("操作", error)); });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    ribbon_ = new RibbonBar(connect_, [this](const std::string& onAction, const addin::RibbonPress& press) {
        Press(onAction, press);
    }, central);
    ribbon_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    column->addWidget(ribbon_);
    auto* row = new QHBoxLayout;
    slides_ = new SlideList(central);
    view_ = new SlideView(central);
    row->addWidget(slides_);
    row->addWidget(view_, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);

    slides_->SetSelectHandler([this](const std::vector<int>& order, int clicked) { SlidesClicked(order, clicked); });
    view_->SetSelectionChanged([this] { ShowSelection(); });
    places_ = std::make_unique<WindowPlaces>(services_.settings, [this] { return view_->SlideArea(); });
    driver_.SetPlaces(places_.get());

    progress_ = new QProgressBar(this);
    progress_->setRange(0, 0);
    progress_->setMaximumWidth(160);
    progress_->hide();
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);
    statusBar()->addPermanentWidget(progress_);
    cancelWait_ = new QPushButton("取消", this);
    cancelWait_->setObjectName("waitCancel");
    cancelWait_->hide();
    connect(cancelWait_, &QPushButton::clicked, this, [this] { http_->GiveUp(); });
    statusBar()->addPermanentWidget(cancelWait_);

    if (options_.slidePictures) {
        images_ = std::make_unique<SlideImages>(
            [this](int slide, const QImage& picture) { FirstPictureDrawn(slide, picture); },
            [this](const SlideImages::Result& result) { PicturesDrawn(result.slides, result.error); });
    }
    BuildMenus();
    UpdateTitle();
    setAcceptDrops(true);
    resize(FirstSize());
    layout_ = std::make_unique<LayoutReport>(*slides_, *view_);
    layout_->Start();
}

StudioWindow::~StudioWindow()
{
    // The pictures' worker ends before the widgets it reports to.
    images_.reset();
    driver_.SetPlaces(nullptr);
}

// The tools reach the studio's own window, unless the caller brought one.
host::Services StudioWindow::WithWindowParts(host::Services services)
{
    if (!services.hostWindow) {
        services.hostWindow = std::make_shared<QtHostWindow>(this);
    }
    if (services.http) {
        http_ = std::make_shared<QtHttpClient>(services.http, [this](bool waiting) { ShowWaiting(waiting); });
        services.http = http_;
    }
    return services;
}

// Roomy, but within the screen with room for the window's frame: a large
// scaling leaves few logical pixels (1600 x 1000 at 150 % is 1066 x 666).
QSize StudioWindow::FirstSize() const
{
    const QSize screen = this->screen()->availableGeometry().size();
    return kRoomySize.boundedTo(screen * kShareOfScreen).expandedTo(minimumSizeHint());
}

void StudioWindow::ShowWaiting(bool waiting)
{
    ribbon_->setEnabled(!waiting);
    cancelWait_->setVisible(waiting);
    const bool drawing = images_ && images_->Busy();
    progress_->setVisible(waiting || drawing);
    status_->setText(waiting ? "正在等待服务器的回答..." : drawing ? kDrawingText : "");
}

void StudioWindow::CloseIfAsked()
{
    if (closeAsked_) {
        closeAsked_ = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

void StudioWindow::AttachScreen()
{
#ifdef VELMORA_STUDIO_X11
    if (options_.desktopScreen && !services_.screen) {
        services_.screen = x11::X11Screen::Open(
            {[this](host::WindowHandle window) {
                 driver_.KeepOnTop(window);
                 auto* screen = dynamic_cast<x11::X11Screen*>(services_.screen.get());
                 if (const auto native = driver_.NativeWindow(window); screen != nullptr && native) {
                     screen->LetPointerThrough(*native);
                 }
             },
             [this](const std::function<void()>& input) { driver_.Dispatch(input); },
             [this](host::WindowHandle window) { return driver_.CloseIfActive(window); }},
            std::make_unique<QtEventLoop>());
        context_.services.screen = services_.screen;
    }
#endif
}

void StudioWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("文件(&F)");
    file->menuAction()->setObjectName("menu/file");
    const auto item = [this](QMenu& menu, const char* name, const char* text, const QKeySequence& keys,
                             std::function<void()> run) {
        QAction* action = menu.addAction(text);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, std::move(run));
        return action;
    };
    item(*file, "file/open", "打开(&O)...", QKeySequence::Open, [this] { OpenDialog(); });
    recentMenu_ = file->addMenu("最近使用的文件(&R)");
    recentMenu_->menuAction()->setObjectName("file/recent");
    item(*file, "file/save", "保存(&S)", QKeySequence::Save, [this] { Save(); });
    item(*file, "file/saveAs", "另存为(&A)...", QKeySequence("Ctrl+Shift+S"), [this] { SaveAsDialog(); });
    item(*file, "file/close", "关闭(&C)", QKeySequence::Close, [this] { CloseDocument(); });
    file->addSeparator();
    item(*file, "file/quit", "退出(&X)", QKeySequence::Quit, [this] { close(); });
    FillRecentMenu();

    QMenu* edit = menuBar()->addMenu("编辑(&E)");
    edit->menuAction()->setObjectName("menu/edit");
    undoAction_ = item(*edit, "edit/undo", "撤销(&U)", QKeySequence::Undo, [this] { Undo(); });
    redoAction_ = item(*edit, "edit/redo", "重做(&R)", QKeySequence("Ctrl+Y"), [this] { Redo(); });
    redoAction_->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
}

void StudioWindow::Start()
{
    try {
        connect_.OnConnection(application_, addin::ext_ConnectMode::Startup);
    } catch (const std::exception& error) {
        ReportFailure(Unfinished("加载项的启动", error.what()));
    }
    CloseIfAsked();
}

void StudioWindow::Launch(const std::vector<std::filesystem::path>& files)
{
    show();
    OpenAll(files);
    Start();
}

std::vector<std::filesystem::path> StudioWindow::RecentFiles() const
{
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < kRecentCount; ++i) {
        const std::string file = services_.settings->GetSetting(host::kAppName, kRecentSection, RecentKey(i), "");
        if (!file.empty()) {
            files.emplace_back(file);
        }
    }
    return files;
}

void StudioWindow::Remember(const std::filesystem::path& file)
{
    const std::filesystem::path absolute = std::filesystem::absolute(file).lexically_normal();
    std::vector<std::filesystem::path> files = RecentFiles();
    std::erase(files, absolute);
    files.insert(files.begin(), absolute);
    files.resize(std::min<std::size_t>(files.size(), kRecentCount));
    for (int i = 0; i < kRecentCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        services_.settings->SaveSetting(host::kAppName, kRecentSection, RecentKey(i),
                                        at < files.size() ? files[at].string() : std::string());
    }
    FillRecentMenu();
}

void StudioWindow::FillRecentMenu()
{
    recentMenu_->clear();
    for (const std::filesystem::path& file : RecentFiles()) {
        QAction* action = recentMenu_->addAction(Text(file.string()));
        connect(action, &QAction::triggered, this, [this, file] { Open(file); });
    }
    recentMenu_->setEnabled(!recentMenu_->isEmpty());
}

void StudioWindow::OpenDialog()
{
    const QString file = QFileDialog::getOpenFileName(this, "打开", QString(), "演示文稿 (*.pptx)");
    if (!file.isEmpty()) {
        Open(file.toStdString());
    }
}

void StudioWindow::SaveAsDialog()
{
    if (!presentation_) {
        return;
    }
    QString file = QFileDialog::getSaveFileName(this, "另存为", Text(presentation_->FullName()), "演示文稿 (*.pptx)");
    if (file.isEmpty()) {
        return;
    }
    if (!file.endsWith(".pptx", Qt::CaseInsensitive)) {
        file += ".pptx";
    }
    SaveAs(file.toStdString());
}

void StudioWindow::OpenAll(const std::vector<std::filesystem::path>& files)
{
    if (files.empty()) {
        return;
    }
    Open(files.front());
    std::for_each(files.begin() + 1, files.end(), [this](const std::filesystem::path& file) { OpenInNewWindow(file); });
}

void StudioWindow::OpenInNewWindow(const std::filesystem::path& file)
{
    // The window's own: its prompts' parent, its picker's screen.
    host::Services services = services_;
    services.hostWindow.reset();
    services.screen.reset();
    services.http = http_ ? http_->Request() : nullptr;
    if (std::dynamic_pointer_cast<QtPrompts>(services.prompts)) {
        services.prompts = std::make_shared<QtPrompts>();
    }
    StudioOptions options = options_;
    options.startUp = false;  // once per start of the studio
    auto* window = new StudioWindow(std::move(services), options);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->Start();
    window->Open(file);
}

void StudioWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedDecks(*event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void StudioWindow::dropEvent(QDropEvent* event)
{
    const std::vector<std::filesystem::path> decks = DroppedDecks(*event->mimeData());
    if (decks.empty()) {
        return;
    }
    event->acceptProposedAction();
    // A changed deck here is not put at stake: every dropped deck gets a window of its own.
    if (presentation_ && !presentation_->Saved()) {
        std::for_each(decks.begin(), decks.end(), [this](const std::filesystem::path& file) { OpenInNewWindow(file); });
        return;
    }
    OpenAll(decks);
}

bool StudioWindow::Open(const std::filesystem::path& file)
{
    if (!MayClose()) {
        return false;
    }
    // The deck shown stays until the new one has opened.
    const bool readOnly = ReadOnlyFile(file);
    host::Ref<host::Presentation> opened;
    try {
        opened = application_->Presentations()->Open(file, readOnly);
    } catch (const host::HostError& error) {
        ReportFailure(CannotOpen(file, error.what()));
        return false;
    }
    DropDocument();
    presentation_ = std::move(opened);
    readOnly_ = readOnly;
    Remember(file);
    undo_.Clear();
    slideCount_ = presentation_->Slides()->Count();
    slides_->Reset(slideCount_);
    drawnRevision_.reset();
    ShowPlaceholders();
    view_->Show(application_->ActiveWindow());
    ShowSelection();
    RequestPictures();
    UpdateTitle();
    return true;
}

bool StudioWindow::Save()
{
    if (!presentation_) {
        return false;
    }
    if (presentation_->Path().empty() || readOnly_) {
        SaveAsDialog();
        return presentation_->Saved();
    }
    try {
        presentation_->Save();
    } catch (const host::HostError& error) {
        ReportFailure(CannotSave(presentation_->FullName(), error.what()));
        return false;
    }
    UpdateTitle();
    return true;
}

bool StudioWindow::SaveAs(const std::filesystem::path& file)
{
    if (!presentation_) {
        return false;
    }
    try {
        presentation_->SaveAs(file, host::SaveFormat::Presentation);
    } catch (const host::HostError& error) {
        ReportFailure(CannotSave(file, error.what()));
        return false;
    }
    readOnly_ = false;
    Remember(file);
    UpdateTitle();
    return true;
}

bool StudioWindow::CloseDocument()
{
    if (!MayClose()) {
        return false;
    }
    DropDocument();
    return true;
}

bool StudioWindow::MayClose()
{
    if (!presentation_ || presentation_->Saved()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, kStudioName, Text("是否保存对“" + presentation_->Name() + "”的更改？"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName("SaveChanges");
    box.setDefaultButton(QMessageBox::Save);
    // As Chinese desktop editors ask; Qt's own word is "discard".
    box.button(QMessageBox::Discard)->setText("不保存(&N)");
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    return answer == QMessageBox::Discard || (answer == QMessageBox::Save && Save());
}

void StudioWindow::DropDocument()
{
    if (!presentation_) {
        return;
    }
    try {
        presentation_->Close();
    } catch (const host::HostError&) {
        // Closing what is already gone leaves nothing to do.
    }
    presentation_.reset();
    readOnly_ = false;
    undo_.Clear();
    slideCount_ = 0;
    pictures_.clear();
    slides_->Reset(0);
    view_->Show(nullptr);
    UpdateTitle();
}

void StudioWindow::closeEvent(QCloseEvent* event)
{
    // The add-in's call is still on the stack: it ends first.
    if (http_ && http_->Waiting()) {
        closeAsked_ = true;
        http_->GiveUp();
        event->ignore();
        return;
    }
    if (!CloseDocument()) {
        event->ignore();
        return;
    }
    // Open dialogs close as the host closes them, saving their settings.
    driver_.UnloadAll();
    connect_.OnDisconnection(addin::ext_DisconnectMode::HostShutdown);
    event->accept();
}

void StudioWindow::Press(const std::string& onAction, const addin::RibbonPress& press)
{
    lastCommand_ = LabelOf(onAction);
    try {
        undo_.Begin(presentation_, lastCommand_);
        connect_.Invoke(onAction, press);
    } catch (const std::exception& error) {
        ReportFailure(Unfinished("“" + lastCommand_ + "”", error.what()));
    }
    undo_.End();
    ShowChanges();
    CloseIfAsked();
}

bool StudioWindow::Undo()
{
    return TakeStep(&UndoStack::Undo, "撤销");
}

bool StudioWindow::Redo()
{
    return TakeStep(&UndoStack::Redo, "重做");
}

bool StudioWindow::TakeStep(bool (UndoStack::*step)(host::Presentation&), const char* what)
{
    if (!presentation_) {
        return false;
    }
    bool taken = false;
    try {
        taken = (undo_.*step)(*presentation_);
        // The state put back has no selection: the slide shown stays, where it still exists.
        const int count = presentation_->Slides()->Count();
        if (taken && count > 0) {
            auto window = application_->ActiveWindow();
            const int shown = std::clamp(shownSlide_, 1, count);
            pptx::ShowSlide(*window, shown);
            pptx::SelectSlides(*window, {shown});
        }
    } catch (const host::HostError& error) {
        ReportFailure(Unfinished(what, error.what()));
    }
    ShowChanges();
    return taken;
}

void StudioWindow::SlidesClicked(const std::vector<int>& order, int clicked)
{
    if (!presentation_) {
        return;
    }
    try {
        auto window = application_->ActiveWindow();
        pptx::ShowSlide(*window, clicked);
        pptx::SelectSlides(*window, order);
    } catch (const host::HostError& error) {
        ReportFailure(Unfinished("选择幻灯片", error.what()));
    }
    shownSlide_ = clicked;
    view_->Reload();
    view_->SetPicture(clicked <= static_cast<int>(pictures_.size()) ? pictures_[clicked - 1] : QImage());
}

void StudioWindow::ShowChanges()
{
    driver_.Refresh();
    if (!presentation_) {
        return;
    }
    try {
        const int count = presentation_->Slides()->Count();
        if (count != slideCount_) {
            slideCount_ = count;
            slides_->Reset(count);
            ShowPlaceholders();
        }
    } catch (const host::HostError&) {
        // The presentation was closed by the command.
        presentation_.reset();
        view_->Show(nullptr);
        slides_->Reset(0);
        UpdateTitle();
        return;
    }
    view_->Reload();
    ShowSelection();
    RequestPictures();
    UpdateTitle();
}

void StudioWindow::ShowSelection()
{
    std::vector<int> order;
    try {
        auto window = application_->ActiveWindow();
        shownSlide_ = window->View()->Slide()->SlideIndex();
        auto selection = window->Selection();
        if (selection->Type() != host::SelectionType::None) {
            auto range = selection->SlideRange();
            for (int i = 1; i <= range->Count(); ++i) {
                order.push_back(range->Item(i)->SlideIndex());
            }
        }
    } catch (const host::HostError&) {
        order.clear();
    }
    slides_->ShowSelection(order);
    slides_->SetCurrent(shownSlide_);
    view_->SetPicture(shownSlide_ <= static_cast<int>(pictures_.size()) ? pictures_[shownSlide_ - 1] : QImage());
}

void StudioWindow::ShowPlaceholders()
{
    pictures_.clear();
    try {
        auto setup = presentation_->PageSetup();
        const QSizeF size(setup->SlideWidth(), setup->SlideHeight());
        auto slides = presentation_->Slides();
        for (int slide = 1; slide <= slideCount_; ++slide) {
            pictures_.push_back(SlidePlaceholder(*slides->Item(slide), size, kPlaceholderWidth));
            slides_->SetPicture(slide, pictures_.back());
        }
    } catch (const host::HostError&) {
        // A slide the host cannot read waits blank for its picture.
    }
}

void StudioWindow::RequestPictures()
{
    if (!images_ || !presentation_) {
        return;
    }
    const std::uint64_t revision = pptx::Revision(*presentation_);
    if (drawnRevision_ == revision) {
        return;
    }
    drawnRevision_ = revision;
    try {
        images_->Request(*presentation_, kPictureWidth, shownSlide_);
        progress_->show();
        status_->setText(kDrawingText);
    } catch (const std::exception& error) {
        status_->setText(QString("无法绘制幻灯片：") + error.what());
    }
}

void StudioWindow::FirstPictureDrawn(int slide, const QImage& picture)
{
    if (slide > static_cast<int>(pictures_.size())) {
        return;
    }
    pictures_[slide - 1] = picture;
    slides_->SetPicture(slide, picture);
    if (slide == shownSlide_) {
        view_->SetPicture(picture);
    }
    ++firstPictureRounds_;
}

void StudioWindow::PicturesDrawn(const std::vector<QImage>& slides, const QString& error)
{
    progress_->setVisible(images_ && images_->Busy());
    if (!error.isEmpty()) {
        status_->setText("无法绘制幻灯片：" + error);
        return;
    }
    status_->clear();
    for (std::size_t i = 0; i < slides.size(); ++i) {
        // Only the slides whose pictures changed are drawn again.
        if (i >= pictures_.size() || pictures_[i] != slides[i]) {
            slides_->SetPicture(static_cast<int>(i) + 1, slides[i]);
        }
    }
    pictures_ = slides;
    ++pictureRounds_;
    view_->SetPicture(shownSlide_ <= static_cast<int>(pictures_.size()) ? pictures_[shownSlide_ - 1] : QImage());
}

void StudioWindow::UpdateUndoActions()
{
    const bool idle = presentation_ != nullptr && !undo_.Running();
    const QString undoName = undo_.UndoName();
    const QString redoName = undo_.RedoName();
    undoAction_->setEnabled(idle && undo_.UndoCount() > 0);
    redoAction_->setEnabled(idle && undo_.RedoCount() > 0);
    undoAction_->setText(undoName.isEmpty() ? QString("撤销(&U)") : "撤销 " + undoName);
    redoAction_->setText(redoName.isEmpty() ? QString("重做(&R)") : "重做 " + redoName);
}

void StudioWindow::UpdateTitle()
{
    UpdateUndoActions();
    ribbon_->SetPresentationOpen(presentation_ != nullptr);
    if (!presentation_) {
        setWindowTitle(kStudioName);
        setWindowModified(false);
        return;
    }
    setWindowTitle(Text(presentation_->Name()) + (readOnly_ ? " [只读]" : "") + "[*] - " + kStudioName);
    setWindowModified(!presentation_->Saved());
}

void StudioWindow::ReportFailure(const QString& what)
{
    services_.prompts->MsgBox(what.toStdString(), host::MsgStyle::Critical, kStudioName);
}

}  // namespace velmora::studio
