#include <cstdlib>
#include <fstream>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMimeData>
#include <QUrl>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QTest>

#include "StudioFixture.hpp"
#include "host/MsoConstants.hpp"
#include "host/Application.hpp"
#include "host/Presentation.hpp"
#include "host/Shape.hpp"
#include "host/Slide.hpp"
#include "platform/FileSettingsStore.hpp"
#include "platform/PlatformServices.hpp"
#include "studio/RibbonBar.hpp"
#include "studio/SlideList.hpp"
#include "studio/SlideView.hpp"
#include "tests/support/Decks.hpp"
#include "tests/support/HttpServer.hpp"
#include "tests/support/Process.hpp"

namespace velmora::studio {
namespace {

class StudioWindowTest : public StudioFixture {
protected:
    host::Selection& Selection() { return *(selection_ = window_->Application().ActiveWindow()->Selection()); }

    std::vector<int> SelectedSlides()
    {
        auto range = Selection().SlideRange();
        std::vector<int> order;
        for (int i = 1; i <= range->Count(); ++i) {
            order.push_back(range->Item(i)->SlideIndex());
        }
        return order;
    }

    std::vector<std::string> SelectedShapes()
    {
        auto range = Selection().ShapeRange();
        std::vector<std::string> names;
        for (int i = 1; i <= range->Count(); ++i) {
            names.push_back(range->Item(i)->Name());
        }
        return names;
    }

    void ClickSlide(int slide, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        SlideList& list = window_->Slides();
        const QPoint at = list.visualItemRect(list.item(slide - 1)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, at);
    }

    void Press(const char* id)
    {
        for (QAction* command : window_->Ribbon().Commands()) {
            if (command->objectName() == id) {
                command->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no command " << id;
    }

    // Answers the next question of the window itself with `button`.
    static void Answer(QMessageBox::StandardButton button)
    {
        WhenModal([button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->button(button)->click();
        });
    }

    host::Ref<host::Selection> selection_;
};

TEST_F(StudioWindowTest, ShowsTheDecksNameSlidesAndShapes)
{
    EXPECT_TRUE(window_->windowTitle().startsWith("deck.pptx"));
    EXPECT_FALSE(window_->isWindowModified());
    EXPECT_EQ(window_->Slides().count(), slides_);
    std::vector<std::string> names;
    for (const SlideView::Outline& outline : window_->View().Outlines()) {
        names.push_back(outline.name);
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "Rect"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Oval"), names.end());
}

TEST_F(StudioWindowTest, BeforeAnyPictureEachThumbnailShowsItsSlidesShapesAndText)
{
    // This window draws no pictures: what shows is drawn from the host's geometry.
    const auto darkPixels = [this](int slide) {
        const QImage thumb = window_->Slides().item(slide - 1)->icon().pixmap(QSize(160, 120)).toImage();
        int dark = 0;
        for (int y = 0; y < thumb.height(); ++y) {
            for (int x = 0; x < thumb.width(); ++x) {
                dark += qGray(thumb.pixel(x, y)) < 0xA0 ? 1 : 0;
            }
        }
        return dark;
    };
    for (int slide = 1; slide <= slides_; ++slide) {
        EXPECT_GT(darkPixels(slide), 0) << "slide " << slide << " shows its title";
    }
}

TEST_F(StudioWindowTest, ShapeClicksMakeTheWindowsSelection)
{
    QTest::mouseClick(&window_->View(), Qt::LeftButton, Qt::NoModifier, ShapeCentre("Rect"));
    EXPECT_EQ(SelectedShapes(), std::vector<std::string>{"Rect"});
    QTest::mouseClick(&window_->View(), Qt::LeftButton, Qt::ControlModifier, ShapeCentre("Oval"));
    EXPECT_EQ(SelectedShapes(), (std::vector<std::string>{"Rect", "Oval"}));
    QTest::mouseClick(&window_->View(), Qt::LeftButton, Qt::NoModifier, ShapeCentre("Oval"));
    EXPECT_EQ(SelectedShapes(), std::vector<std::string>{"Oval"});
    // Beside every shape: nothing is selected.
    QTest::mouseClick(&window_->View(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(Selection().Type(), host::SelectionType::None);
}

TEST_F(StudioWindowTest, DoubleClickSelectsAShapeInsideAGroup)
{
    auto shapes = window_->Presentation()->Slides()->Item(1)->Shapes();
    const int count = shapes->Count();
    shapes->Range({count - 1, count})->Group()->SetName("Pair");
    window_->View().Reload();
    QPoint oval;
    for (const SlideView::Outline& outline : window_->View().Outlines()) {
        for (const SlideView::Outline& member : outline.children) {
            if (member.name == "Oval") {
                oval = window_->View().WidgetRect(member).center();
            }
        }
    }
    ASSERT_FALSE(oval.isNull());
    QTest::mouseClick(&window_->View(), Qt::LeftButton, Qt::NoModifier, oval);
    EXPECT_EQ(SelectedShapes(), std::vector<std::string>{"Pair"});
    EXPECT_FALSE(Selection().HasChildShapeRange());
    QTest::mouseDClick(&window_->View(), Qt::LeftButton, Qt::NoModifier, oval);
    ASSERT_TRUE(Selection().HasChildShapeRange());
    EXPECT_EQ(Selection().ChildShapeRange()->Item(1)->Name(), "Oval");
}

TEST_F(StudioWindowTest, CtrlClicksInTheSlideListKeepTheirOrder)
{
    ClickSlide(3);
    ClickSlide(1, Qt::ControlModifier);
    ClickSlide(2, Qt::ControlModifier);
    EXPECT_EQ(SelectedSlides(), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(window_->Application().ActiveWindow()->View()->Slide()->SlideIndex(), 2);
    // A second Ctrl-click takes a slide out; a plain click starts anew.
    ClickSlide(1, Qt::ControlModifier);
    EXPECT_EQ(SelectedSlides(), (std::vector<int>{3, 2}));
    ClickSlide(1);
    EXPECT_EQ(SelectedSlides(), std::vector<int>{1});
}

TEST_F(StudioWindowTest, NotesExportFromTheRibbonWritesTheFileAndSaysSo)
{
    Press("myExportComment_All");
    ASSERT_FALSE(Prompts().empty());
    EXPECT_EQ(Prompts().back().style, host::MsgStyle::Information);
    bool written = false;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        written = written || entry.path().filename().string().starts_with("deck-导出备注_");
    }
    EXPECT_TRUE(written);
}

TEST_F(StudioWindowTest, WithoutAnX11DisplayThePickerSaysSo)
{
    Press("myGetColor");
    ASSERT_FALSE(Prompts().empty());
    EXPECT_EQ(Prompts().back().style, host::MsgStyle::Critical);
    EXPECT_EQ(Prompts().back().prompt, "“屏幕取色”未能完成：需要 X11 桌面会话，当前没有可用的 X11 显示");
}

TEST_F(StudioWindowTest, ToolsSetTheStateOfTheStudiosOwnWindow)
{
    window_->show();
    window_->Application().SetWindowState(host::WindowState::Maximized);
    EXPECT_TRUE(window_->isMaximized());
    window_->Application().SetWindowState(host::WindowState::Normal);
    EXPECT_FALSE(window_->isMaximized());
    window_->Application().SetVisible(false);
    EXPECT_FALSE(window_->isVisible());
    window_->Application().SetVisible(true);
    EXPECT_TRUE(window_->isVisible());
}

TEST_F(StudioWindowTest, AChangedPresentationAsksBeforeItCloses)
{
    Press("myDeleteComment_All");
    EXPECT_TRUE(window_->isWindowModified());
    Answer(QMessageBox::Cancel);
    EXPECT_FALSE(window_->CloseDocument());
    EXPECT_NE(window_->Presentation(), nullptr);
    Answer(QMessageBox::Discard);
    EXPECT_TRUE(window_->CloseDocument());
    EXPECT_EQ(window_->Presentation(), nullptr);
    EXPECT_EQ(window_->windowTitle().toStdString(), "Velmora Studio");
}

TEST_F(StudioWindowTest, CommandsNeedingAPresentationWaitForOne)
{
    EXPECT_TRUE(window_->Ribbon().Button("myExportPic")->isEnabled());
    ASSERT_TRUE(window_->CloseDocument());
    EXPECT_FALSE(window_->Ribbon().Button("myExportPic")->isEnabled());
    EXPECT_FALSE(window_->Ribbon().Button("mySetFont")->isEnabled());
    EXPECT_TRUE(window_->Ribbon().Button("CheckUpdate")->isEnabled()) << "web commands need no presentation";
    ASSERT_TRUE(window_->Open(Deck()));
    EXPECT_TRUE(window_->Ribbon().Button("mySetFont")->isEnabled());
}

TEST_F(StudioWindowTest, FailuresAreSaidInChineseNamingTheFileOnce)
{
    const std::filesystem::path broken = dir_ / "broken.pptx";
    std::ofstream(broken) << "PK\x03\x04 not really";
    EXPECT_FALSE(window_->Open(broken));
    ASSERT_FALSE(Prompts().empty());
    EXPECT_EQ(Prompts().back().prompt, "无法打开文件：" + broken.string() + "：文件已损坏");
}

TEST_F(StudioWindowTest, ADeckThatFailsToOpenLeavesTheOneShownOpen)
{
    const std::filesystem::path broken = dir_ / "broken.pptx";
    std::ofstream(broken) << "PK\x03\x04 not really";
    Press("myDeleteComment_All");
    Answer(QMessageBox::Discard);
    EXPECT_FALSE(window_->Open(broken));
    ASSERT_NE(window_->Presentation(), nullptr);
    EXPECT_EQ(window_->Presentation()->Name(), "deck.pptx");
    EXPECT_FALSE(window_->Presentation()->Saved()) << "the change was dropped";
    EXPECT_EQ(window_->Slides().count(), slides_);
    EXPECT_EQ(window_->Application().ActivePresentation()->Name(), "deck.pptx");
    EXPECT_TRUE(window_->Ribbon().Button("myExportPic")->isEnabled());
}

// As on the command line and in Impress: a test or a kiosk keeps the desktop closed.
TEST(StudioDesktopServices, NoOpenKeepsFoldersAndPagesClosed)
{
    testing::TempDir dir;
    const std::filesystem::path opened = dir.path() / "opened.txt";
    const std::filesystem::path opener = dir.path() / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" >> '" << opened.string() << "'\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (dir.path().string() + ":" + path).c_str(), 1);
    const auto shell = StudioWindow::DesktopServices().shell;
    const auto lines = [&] {
        std::ifstream in(opened);
        std::vector<std::string> read;
        for (std::string line; std::getline(in, line);) {
            read.push_back(line);
        }
        return read;
    };

    setenv("VELMORA_NO_OPEN", "1", 1);
    shell->OpenAddress("http://example.org/kept-closed");
    shell->ShowFolder(dir.path());
    unsetenv("VELMORA_NO_OPEN");
    shell->OpenAddress("http://example.org/opened");
    for (int wait = 0; wait < 100 && lines().empty(); ++wait) {
        QTest::qWait(20);
    }
    QTest::qWait(200);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(lines(), std::vector<std::string>{"http://example.org/opened"});
}

// 1600 x 1000 at 150 % leaves 1066 x 666 logical pixels: the window fits and
// every group of the ribbon shows whole. The scaling is read as Qt starts, so
// the test runs again in a process of its own on such a screen.
TEST_F(StudioWindowTest, AtLargeScalingTheWindowAndEveryRibbonGroupFitTheScreen)
{
    if (std::getenv("VELMORA_TEST_SCALED") == nullptr) {
        const std::filesystem::path screens = dir_ / "screens.json";
        std::ofstream(screens) << R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1600, "height": 1000,)"
                               << R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        const testing::ProcessResult scaled = testing::RunProcess(
            {std::filesystem::read_symlink("/proc/self/exe").string(),
             "--gtest_filter=StudioWindowTest.AtLargeScalingTheWindowAndEveryRibbonGroupFitTheScreen"},
            std::chrono::seconds(120),
            {{"VELMORA_TEST_SCALED", "1"}, {"QT_SCALE_FACTOR", "1.5"},
             {"QT_QPA_PLATFORM", "offscreen:configfile=" + screens.string()}});
        EXPECT_EQ(scaled.status, 0) << scaled.out << scaled.err;
        return;
    }
    QApplication::processEvents();
    const QRect screen = window_->screen()->availableGeometry();
    ASSERT_EQ(screen.size(), QSize(1067, 667));
    EXPECT_TRUE(screen.contains(window_->frameGeometry()))
        << window_->frameGeometry().width() << " x " << window_->frameGeometry().height();
    for (const char* group : {"myGroup1", "myGroup3", "myGroup2", "myGroup5", "myGroup4"}) {
        const auto* shown = window_->Ribbon().findChild<QWidget*>(group);
        ASSERT_NE(shown, nullptr) << group;
        EXPECT_EQ(shown->visibleRegion().boundingRect(), shown->rect()) << group << " is cut off";
        const QRect inWindow(shown->mapTo(window_.get(), QPoint(0, 0)), shown->size());
        EXPECT_TRUE(window_->rect().contains(inWindow)) << group << " ends at " << inWindow.right();
    }
}

TEST_F(StudioWindowTest, SaveAsWritesTheCopyAndRetitlesTheWindow)
{
    Press("myDeleteComment_All");
    const auto copy = dir_ / "copy.pptx";
    ASSERT_TRUE(window_->SaveAs(copy));
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_TRUE(window_->windowTitle().startsWith("copy.pptx"));
    EXPECT_FALSE(window_->isWindowModified());
    EXPECT_EQ(window_->RecentFiles().front(), copy);
}

TEST_F(StudioWindowTest, TheEditMenuUndoesWholeCommandsByTheirNamesAcrossSave)
{
    auto* undo = window_->findChild<QAction*>("edit/undo");
    auto* redo = window_->findChild<QAction*>("edit/redo");
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_FALSE(undo->isEnabled());
    const auto notes = [this] {
        return testing::DeckHost::Notes(*window_->Presentation()->Slides()->Item(2));
    };
    Press("myDeleteComment_All");
    ASSERT_EQ(notes(), "");
    EXPECT_EQ(undo->text().toStdString(), "撤销 删除全部幻灯片备注");
    ASSERT_TRUE(window_->Save());

    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(notes(), "N2");
    EXPECT_TRUE(window_->isWindowModified());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text().toStdString(), "重做 删除全部幻灯片备注");
    EXPECT_EQ(window_->Slides().Order(), std::vector<int>{1}) << "the slide shown stays selected";
    QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(notes(), "");
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(notes(), "");

    // Another deck starts with nothing to undo.
    Answer(QMessageBox::Discard);
    ASSERT_TRUE(window_->Open(Deck()));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(window_->Undo());
}

TEST_F(StudioWindowTest, DroppedDecksOpenHereAndEachFurtherOneInAWindowOfItsOwn)
{
    ASSERT_TRUE(window_->CloseDocument());
    const std::filesystem::path other = dir_ / "other.pptx";
    std::filesystem::copy_file(Deck(), other);
    const auto url = [](const std::filesystem::path& file) { return QUrl::fromLocalFile(QString::fromStdString(file)); };
    const QPointF centre = window_->rect().center();

    QMimeData text;
    text.setUrls({url(dir_ / "settings.ini")});
    QDragEnterEvent refused(centre.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &refused);
    EXPECT_FALSE(refused.isAccepted()) << "only decks are taken";

    QMimeData decks;
    decks.setUrls({url(Deck()), url(other), url(dir_ / "settings.ini")});
    QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &decks, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(centre, Qt::CopyAction, &decks, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    ASSERT_NE(window_->Presentation(), nullptr);
    EXPECT_TRUE(window_->windowTitle().startsWith("deck.pptx"));
    std::vector<StudioWindow*> others;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* studio = dynamic_cast<StudioWindow*>(widget);
        if (studio != nullptr && studio != window_.get() && studio->isVisible()) {
            others.push_back(studio);
        }
    }
    ASSERT_EQ(others.size(), 1U);
    EXPECT_TRUE(others.front()->windowTitle().startsWith("other.pptx"));
    others.front()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(StudioWindowTest, AReadOnlyDeckIsMarkedAndSaveAsksForAnotherName)
{
    const std::filesystem::path locked = dir_ / "locked.pptx";
    std::filesystem::copy_file(Deck(), locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    ASSERT_TRUE(window_->Open(locked));
    EXPECT_TRUE(window_->windowTitle().startsWith("locked.pptx [只读]")) << window_->windowTitle().toStdString();
    Press("myDeleteComment_All");
    const auto before = std::filesystem::last_write_time(locked);
    WhenModal([] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->reject();
    });
    EXPECT_FALSE(window_->Save());
    EXPECT_EQ(std::filesystem::last_write_time(locked), before);
    const std::filesystem::path copy = dir_ / "copy.pptx";
    ASSERT_TRUE(window_->SaveAs(copy));
    EXPECT_FALSE(window_->windowTitle().contains("只读")) << "the copy is the user's to write";
}

TEST_F(StudioWindowTest, KeysMoveThroughTheSlideListAndShiftExtendsTheSelection)
{
    SlideList& list = window_->Slides();
    ClickSlide(1);
    const auto shown = [this] { return window_->Application().ActiveWindow()->View()->Slide()->SlideIndex(); };
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(shown(), 2);
    EXPECT_EQ(SelectedSlides(), std::vector<int>{2});
    QTest::keyClick(&list, Qt::Key_End);
    EXPECT_EQ(shown(), 3);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(shown(), 3) << "the last slide stays";
    QTest::keyClick(&list, Qt::Key_Home);
    EXPECT_EQ(shown(), 1);
    QTest::keyClick(&list, Qt::Key_PageDown);
    EXPECT_EQ(shown(), 3) << "a page holds all three slides";
    QTest::keyClick(&list, Qt::Key_PageUp);
    EXPECT_EQ(shown(), 1);

    QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(SelectedSlides(), (std::vector<int>{1, 2, 3}));
    ClickSlide(2);
    ClickSlide(1, Qt::ShiftModifier);
    EXPECT_EQ(SelectedSlides(), (std::vector<int>{2, 1}));

    QTest::keyClick(&list, Qt::Key_Delete);
    QTest::keyClick(&window_->View(), Qt::Key_Delete);
    EXPECT_EQ(window_->Presentation()->Slides()->Count(), slides_);
    EXPECT_FALSE(window_->isWindowModified()) << "Delete changes nothing";
}

TEST_F(StudioWindowTest, TabSelectsTheShapesOfTheSlideInTurn)
{
    const int count = window_->Presentation()->Slides()->Item(1)->Shapes()->Count();
    QTest::mouseClick(&window_->View(), Qt::LeftButton, Qt::NoModifier, ShapeCentre("Rect"));
    ASSERT_EQ(SelectedShapes(), std::vector<std::string>{"Rect"});
    QTest::keyClick(&window_->View(), Qt::Key_Tab);
    EXPECT_EQ(SelectedShapes(), std::vector<std::string>{"Oval"});
    QTest::keyClick(&window_->View(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(SelectedShapes(), std::vector<std::string>{"Rect"});
    // Past the last shape Tab goes round to the first.
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(&window_->View(), Qt::Key_Tab);
    }
    EXPECT_EQ(SelectedShapes(), std::vector<std::string>{"Rect"});
}

TEST_F(StudioWindowTest, RecentFilesShareTheCommandLinesSettingsFile)
{
    // A key the command line wrote while the studio ran stays.
    platform::FileSettingsStore(dir_ / "settings.ini").SaveSetting(host::kAppName, "Settings", "Key", "kept");
    ASSERT_TRUE(window_->Open(Deck()));
    const platform::FileSettingsStore stored(dir_ / "settings.ini");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "Settings", "Key"), "kept");
    ASSERT_FALSE(window_->RecentFiles().empty());
    EXPECT_EQ(window_->RecentFiles().front(), std::filesystem::absolute(Deck()).lexically_normal());
}

// An update server that takes the request and never answers: the add-in
// waits its whole wait, as on a dead network.
class SilentUpdateServerTest : public StudioWindowTest {
protected:
    SilentUpdateServerTest() { setenv("VELMORA_UPDATE_SERVER", silent_.Base().c_str(), 1); }
    ~SilentUpdateServerTest() override { unsetenv("VELMORA_UPDATE_SERVER"); }

    testing::SilentServer silent_;
};

TEST_F(SilentUpdateServerTest, TheWindowAnswersWhileTheUpdateCheckWaitsAndTheWaitCanBeCancelled)
{
    // The timers go with the test, also when the check never let them run.
    QObject test;
    QElapsedTimer clock;
    bool checking = true;
    qint64 answeredAt = -1;
    bool ribbonResting = false;
    QTimer::singleShot(300, &test, [&] {
        ClickSlide(2);
        if (checking && SelectedSlides() == std::vector<int>{2}) {
            answeredAt = clock.elapsed();
        }
        ribbonResting = !window_->Ribbon().isEnabled();
    });
    QTimer::singleShot(600, &test, [&] {
        auto* cancel = window_->findChild<QPushButton*>("waitCancel");
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(cancel->isVisible());
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    clock.start();
    window_->Press("CheckUpdate_Click", {});
    checking = false;
    const qint64 checked = clock.elapsed();

    ASSERT_GE(answeredAt, 0) << "the click on a slide waited for the check";
    EXPECT_LT(answeredAt, 800);
    EXPECT_TRUE(ribbonResting) << "a second command could start inside the first";
    EXPECT_LT(checked, 2000) << "the cancelled wait went on";
    ASSERT_FALSE(Prompts().empty());
    EXPECT_EQ(Prompts().back().prompt, "网络错误！无法连接到指定服务器！");
    QApplication::processEvents();
    EXPECT_TRUE(window_->Ribbon().isEnabled());
}

TEST_F(SilentUpdateServerTest, AStartShowsTheDeckWhileTheStartUpCheckWaits)
{
    const std::filesystem::path copy = dir_ / "copy.pptx";
    std::filesystem::copy_file(Deck(), copy);
    StudioOptions options = options_;
    options.startUp = true;
    StudioWindow launched(platform::PlatformServices({prompts_, shell_}), options);
    bool launching = true;
    int slidesShown = 0;
    QTimer::singleShot(500, &launched, [&] {
        if (launching) {
            slidesShown = launched.Slides().count();
        }
    });
    launched.Launch({copy});
    launching = false;
    EXPECT_EQ(slidesShown, slides_) << "the deck waited for the start-up check";
    EXPECT_NE(launched.Presentation(), nullptr);
}

}  // namespace
}  // namespace velmora::studio
