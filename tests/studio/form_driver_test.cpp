#include <fstream>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "StudioFixture.hpp"
#include "forms/Forms.hpp"
#include "host/Application.hpp"
#include "host/Presentation.hpp"
#include "host/TextRange.hpp"
#include "host/Shape.hpp"
#include "host/Slide.hpp"
#include "platform/FileSettingsStore.hpp"
#include "studio/CaptionedFrame.hpp"
#include "studio/FormWindow.hpp"
#include "studio/QtPictures.hpp"
#include "studio/RibbonBar.hpp"
#include "studio/SlideView.hpp"
#include "studio/WindowPlaces.hpp"

namespace velmora::studio {
namespace {

class FormDriverTest : public StudioFixture {
protected:
    void ClickShape(const std::string& name, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(&window_->View(), Qt::LeftButton, modifiers, ShapeCentre(name));
    }

    void PressButton(const char* id)
    {
        QToolButton* button = window_->Ribbon().Button(id);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    host::Color Fill(const char* shape)
    {
        auto slide = window_->Presentation()->Slides()->Item(1);
        return slide->Shapes()->Item(shape)->Fill()->ForeColor()->RGB();
    }

    host::Color Line(const char* shape)
    {
        auto slide = window_->Presentation()->Slides()->Item(1);
        return slide->Shapes()->Item(shape)->Line()->ForeColor()->RGB();
    }

    // Every frame's caption stays readable: no control inside covers it.
    static void ExpectCaptionsUncovered(const FormWindow& dialog)
    {
        int captioned = 0;
        for (const QFrame* drawn : dialog.findChildren<QFrame*>()) {
            const auto* frame = dynamic_cast<const CaptionedFrame*>(drawn);
            if (frame == nullptr || frame->Caption().isEmpty() || !frame->isVisible()) {
                continue;
            }
            ++captioned;
            for (const QWidget* child : frame->Inside()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect at(child->mapTo(frame, QPoint()), child->size());
                EXPECT_TRUE(!child->isVisible() || !at.intersects(frame->CaptionRect()))
                    << child->objectName().toStdString() << " covers the caption of " << frame->Caption().toStdString();
            }
        }
        EXPECT_GT(captioned, 2);
    }

    template <typename T>
    T* As(const char* form, const char* control)
    {
        auto* widget = qobject_cast<T*>(Control(form, control));
        EXPECT_NE(widget, nullptr) << control << " is not drawn as the widget expected";
        return widget;
    }
};

TEST_F(FormDriverTest, ThePaletteReopensWhereTheUserLastPutIt)
{
    ClickShape("Rect");
    PressButton("mySetColor");
    FormWindow* palette = window_->Driver().Window("frm_myColor");
    ASSERT_NE(palette, nullptr);
    palette->move(37, 41);
    palette->close();
    ASSERT_EQ(window_->Driver().Window("frm_myColor"), nullptr);
    EXPECT_EQ(platform::FileSettingsStore(dir_ / "settings.ini")
                  .GetSetting(host::kAppName, "Studio-WindowPlaces", "frm_myColor"),
              "37,41");
    PressButton("mySetColor");
    palette = window_->Driver().Window("frm_myColor");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->pos(), QPoint(37, 41));
}

TEST(WindowPlacesTest, ADialogGoesBesideTheSlideNotOverIt)
{
    const QRect screen(0, 0, 1600, 1000);
    const QSize dialog(400, 500);
    // Room on the right.
    EXPECT_EQ(WindowPlaces::Beside(QRect(300, 150, 800, 600), dialog, screen), QPoint(1108, 150));
    // None on the right: on the left.
    const QRect wide(500, 150, 900, 600);
    const QPoint left = WindowPlaces::Beside(wide, dialog, screen);
    EXPECT_FALSE(QRect(left, dialog).intersects(wide));
    // Room on neither side: at the screen's edge, whole, and within its height.
    const QPoint edge = WindowPlaces::Beside(QRect(100, 700, 1400, 280), dialog, screen);
    EXPECT_TRUE(screen.contains(QRect(edge, dialog)));
}

TEST_F(FormDriverTest, PaletteStaysOpenMirrorsItsControlsAndColoursTheSelection)
{
    ClickShape("Rect");
    PressButton("mySetColor");
    FormWindow* palette = window_->Driver().Window("frm_myColor");
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->isVisible());
    EXPECT_FALSE(palette->isModal());
    EXPECT_EQ(palette->windowTitle().toStdString(), palette->Form().Caption());

    // A click on a base colour shows it in the display and colours the fill.
    QTest::mouseClick(Control("frm_myColor", "Label9"), Qt::LeftButton);
    EXPECT_EQ(Fill("Rect"), 0xFF0000);
    EXPECT_EQ(As<QLabel>("frm_myColor", "L_Disp")->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(As<QLineEdit>("frm_myColor", "TextBox3")->text().toStdString(), "255");

    // Moving a bar reaches the control; its box and the display show the result.
    As<QScrollBar>("frm_myColor", "ScrollBar1")->setValue(200);
    EXPECT_EQ(As<QLineEdit>("frm_myColor", "TextBox1")->text().toStdString(), "200");
    const host::Color mixed = Fill("Rect");
    EXPECT_EQ(mixed & 0xFF, 200);
    EXPECT_EQ(As<QLabel>("frm_myColor", "L_Disp")->palette().color(QPalette::Window), QColorOf(mixed));

    // Typing goes key by key through the box's own entry rule.
    QLineEdit* green = As<QLineEdit>("frm_myColor", "TextBox2");
    green->setFocus();
    QTest::keyClicks(green, "1x2");
    EXPECT_EQ(green->text().toStdString(), "12");
    EXPECT_EQ(As<QScrollBar>("frm_myColor", "ScrollBar2")->value(), 12);

    // The spin button steps its value; the program's caption change shows.
    QTest::mouseClick(palette->findChild<QToolButton*>("SpinButton1/up"), Qt::LeftButton);
    EXPECT_EQ(As<QLabel>("frm_myColor", "L_Deep")->text().toStdString(), "60%");

    // Option buttons: choosing the line target clears the fill target.
    QTest::mouseClick(Control("frm_myColor", "OptionButton6"), Qt::LeftButton);
    EXPECT_TRUE(As<QAbstractButton>("frm_myColor", "OptionButton6")->isChecked());
    EXPECT_FALSE(As<QAbstractButton>("frm_myColor", "OptionButton4")->isChecked());

    // While the palette stays open the user selects another shape.
    const host::Color rect = Fill("Rect");
    ClickShape("Oval");
    QTest::mouseClick(Control("frm_myColor", "Label1"), Qt::LeftButton);
    EXPECT_EQ(Line("Oval"), 0x0000FF);
    EXPECT_EQ(Fill("Rect"), rect);

    ExpectCaptionsUncovered(*palette);

    // Closing the window unloads the form, which keeps its choices.
    palette->close();
    EXPECT_EQ(window_->Driver().Window("frm_myColor"), nullptr);
    const platform::FileSettingsStore stored(dir_ / "settings.ini");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "Settings-myColor", "TargetType"), "3");
}

TEST_F(FormDriverTest, FontDialogIsModalAndMirrorsItsControls)
{
    bool checked = false;
    WhenModal([&] {
        FormWindow* dialog = window_->Driver().Window("frm_setFont");
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isModal());
        // A check box's click reaches the form, whose handler shows a box.
        QWidget* names = Control("frm_setFont", "ComboBox1");
        const bool shown = names->isVisible();
        QTest::mouseClick(Control("frm_setFont", "CheckBox7"), Qt::LeftButton);
        EXPECT_NE(names->isVisible(), shown);
        // A check box enables a toggle button, whose tip follows its state.
        auto* bold = As<QAbstractButton>("frm_setFont", "ToggleButton3");
        if (!bold->isEnabled()) {
            QTest::mouseClick(Control("frm_setFont", "CheckBox10"), Qt::LeftButton);
        }
        EXPECT_TRUE(bold->isEnabled());
        const QString before = bold->toolTip();
        QTest::mouseClick(bold, Qt::LeftButton);
        EXPECT_NE(bold->toolTip(), before);
        EXPECT_EQ(bold->isChecked(), dialog->Form().Controls<forms::ToggleButton>("ToggleButton3").Value());
        // Choosing a list item sets the control's index.
        auto* sizes = As<QComboBox>("frm_setFont", "ComboBox3");
        if (sizes->count() > 1) {
            emit sizes->activated(1);
            EXPECT_EQ(dialog->Form().Controls<forms::ComboBox>("ComboBox3").ListIndex(), 1);
        }
        ExpectCaptionsUncovered(*dialog);
        // Inside its frame a control keeps the form's position, in points.
        const QWidget* check = Control("frm_setFont", "CheckBox7");
        EXPECT_EQ(check->pos(), QPoint(static_cast<int>(6 * dialog->PixelsPerPoint()),
                                       static_cast<int>(4 * dialog->PixelsPerPoint())));
        checked = true;
        QTest::mouseClick(Control("frm_setFont", "CommandButton2"), Qt::LeftButton);
    });
    PressButton("mySetFont");
    EXPECT_TRUE(checked);
    EXPECT_EQ(window_->Driver().Window("frm_setFont"), nullptr);
}

TEST_F(FormDriverTest, ThePalettesArrowButtonEscAndCloseBoxWorkAsOnTheDesktop)
{
    PressButton("mySetColor");
    FormWindow* palette = window_->Driver().Window("frm_myColor");
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->windowFlags() & Qt::WindowCloseButtonHint);

    // The symbol font's "3" is the arrow it stands for; the arrow lets the
    // click through to the button under it.
    auto* arrow = As<QLabel>("frm_myColor", "Lab_arrow");
    const QString left(u'\u25C0');
    const QString right(u'\u25B6');
    const QString before = arrow->text();
    EXPECT_TRUE(before == left || before == right) << before.toStdString();
    const QPoint middle = arrow->mapTo(palette, arrow->rect().center());
    QWidget* hit = palette->childAt(middle);
    ASSERT_EQ(hit, Control("frm_myColor", "Cmd_Extra"));
    QTest::mouseClick(hit, Qt::LeftButton);
    EXPECT_EQ(arrow->text(), before == left ? right : left);

    // Esc closes it as its close box does.
    QTest::keyClick(palette, Qt::Key_Escape);
    EXPECT_EQ(window_->Driver().Window("frm_myColor"), nullptr);
}

TEST_F(FormDriverTest, AltWithTheAcceleratorAndEnterPressTheirButtons)
{
    bool checked = false;
    WhenModal([&] {
        auto* ok = As<QAbstractButton>("frm_setFont", "CommandButton1");
        EXPECT_EQ(ok->text().toStdString(), "确定(&O)");
        // Alt+C cancels, typing nothing into the box that has the focus.
        FormWindow* dialog = window_->Driver().Window("frm_setFont");
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QLineEdit* size = As<QComboBox>("frm_setFont", "ComboBox3")->lineEdit();
        size->setFocus();
        const QString before = size->text();
        QTest::keyClick(size, Qt::Key_C, Qt::AltModifier);
        EXPECT_EQ(size->text(), before);
        checked = true;
    });
    PressButton("mySetFont");
    ASSERT_TRUE(checked);
    EXPECT_EQ(window_->Driver().Window("frm_setFont"), nullptr);

    checked = false;
    WhenModal([&] {
        QTest::mouseClick(Control("frm_setFont", "OptionButton10"), Qt::LeftButton);
        QLineEdit* size = As<QComboBox>("frm_setFont", "ComboBox3")->lineEdit();
        size->setFocus();
        size->selectAll();
        QTest::keyClicks(size, "28");
        checked = true;
        QTest::keyClick(size, Qt::Key_Return);
    });
    PressButton("mySetFont");
    ASSERT_TRUE(checked);
    EXPECT_EQ(window_->Driver().Window("frm_setFont"), nullptr);
    const platform::FileSettingsStore stored(dir_ / "settings.ini");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "SetFont-Settings", "FSize"), "28") << "Enter pressed OK";
}

// Whatever way text reaches an editable drop-down box, the control holds it
// before the next click runs.
TEST_F(FormDriverTest, TextTypedPastedOrComposedInTheFontBoxesIsWhatOkStores)
{
    bool checked = false;
    WhenModal([&] {
        FormWindow* dialog = window_->Driver().Window("frm_setFont");
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(Control("frm_setFont", "OptionButton10"), Qt::LeftButton);
        if (!As<QAbstractButton>("frm_setFont", "CheckBox8")->isChecked()) {
            QTest::mouseClick(Control("frm_setFont", "CheckBox8"), Qt::LeftButton);
        }
        if (!As<QAbstractButton>("frm_setFont", "CheckBox7")->isChecked()) {
            QTest::mouseClick(Control("frm_setFont", "CheckBox7"), Qt::LeftButton);
        }

        // Typed over the selected size, at the cursor.
        QLineEdit* size = As<QComboBox>("frm_setFont", "ComboBox3")->lineEdit();
        size->setFocus();
        size->selectAll();
        QTest::keyClicks(size, "32");
        EXPECT_EQ(size->text().toStdString(), "32");
        size->setCursorPosition(1);
        QTest::keyClick(size, Qt::Key_Backspace);
        QTest::keyClicks(size, "4");
        EXPECT_EQ(size->text().toStdString(), "42");
        EXPECT_EQ(dialog->Form().Controls<forms::ComboBox>("ComboBox3").Text(), "42");

        // Pasted over the selected name.
        QApplication::clipboard()->setText("DejaVu Serif");
        QLineEdit* latin = As<QComboBox>("frm_setFont", "ComboBox2")->lineEdit();
        latin->setFocus();
        latin->selectAll();
        QTest::keySequence(latin, QKeySequence::Paste);
        EXPECT_EQ(dialog->Form().Controls<forms::ComboBox>("ComboBox2").Text(), "DejaVu Serif");

        // Composed by an input method.
        QLineEdit* chinese = As<QComboBox>("frm_setFont", "ComboBox1")->lineEdit();
        chinese->setFocus();
        chinese->selectAll();
        QInputMethodEvent composed;
        composed.setCommitString("文泉驿正黑");
        QApplication::sendEvent(chinese, &composed);
        EXPECT_EQ(dialog->Form().Controls<forms::ComboBox>("ComboBox1").Text(), "文泉驿正黑");

        checked = true;
        QTest::mouseClick(Control("frm_setFont", "CommandButton1"), Qt::LeftButton);
    });
    PressButton("mySetFont");
    ASSERT_TRUE(checked);
    const platform::FileSettingsStore stored(dir_ / "settings.ini");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "SetFont-Settings", "FSize"), "42");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "SetFont-Settings", "ComboBox2"), "DejaVu Serif");
    EXPECT_EQ(stored.GetSetting(host::kAppName, "SetFont-Settings", "ComboBox1"), "文泉驿正黑");
}

TEST_F(FormDriverTest, TheMontagesSamplePicturesAreDrawn)
{
    bool checked = false;
    WhenModal([&] {
        auto* sample = As<QLabel>("frm_CombinPic", "Img1");
        ASSERT_NE(sample, nullptr);
        EXPECT_FALSE(sample->pixmap().isNull()) << "the sample picture held in memory shows";
        checked = true;
        QTest::keyClick(window_->Driver().Window("frm_CombinPic"), Qt::Key_Escape);
    });
    PressButton("myCombinPic");
    EXPECT_TRUE(checked);
}

TEST_F(FormDriverTest, TheFlashDialogsHandlesAreDrawnWithTheirPointers)
{
    bool checked = false;
    WhenModal([&] {
        for (const auto& [name, pointer] : {std::pair{"Imgmove", Qt::SizeAllCursor}, std::pair{"Imgleft", Qt::SizeHorCursor},
                                            std::pair{"Imgdown", Qt::SizeVerCursor}}) {
            auto* handle = As<QLabel>("frm_addFlash", name);
            ASSERT_NE(handle, nullptr);
            EXPECT_FALSE(handle->pixmap().isNull()) << name;
            EXPECT_EQ(handle->cursor().shape(), pointer) << name;
        }
        checked = true;
        window_->Driver().Window("frm_addFlash")->close();
    });
    std::ofstream(dir_ / "movie.swf") << "FWS";
    prompts_->AddFile((dir_ / "movie.swf").string());
    PressButton("myAddFlash");
    EXPECT_TRUE(checked) << out_.str();
}

TEST_F(FormDriverTest, TheAuthorsPictureIsDrawn)
{
    bool checked = false;
    WhenModal([&] {
        EXPECT_FALSE(As<QLabel>("frm_Author", "ImgWeibo")->pixmap().isNull());
        checked = true;
        window_->Driver().Window("frm_Author")->close();
    });
    window_->Press("Author_Click", {});
    EXPECT_TRUE(checked);
}

TEST_F(FormDriverTest, PictureExportDialogShowsFramesAndOptionGroups)
{
    bool checked = false;
    WhenModal([&] {
        auto* scope = dynamic_cast<CaptionedFrame*>(Control("frm_ExportPic", "Frame1"));
        ASSERT_NE(scope, nullptr);
        EXPECT_FALSE(scope->Caption().isEmpty());
        auto* all = As<QAbstractButton>("frm_ExportPic", "OptionButton1");
        auto* selected = As<QAbstractButton>("frm_ExportPic", "OptionButton2");
        EXPECT_EQ(all->text().toStdString(), "全部幻灯片");
        QTest::mouseClick(selected, Qt::LeftButton);
        EXPECT_TRUE(selected->isChecked());
        EXPECT_FALSE(all->isChecked());
        // A program change shows at once.
        FormWindow* dialog = window_->Driver().Window("frm_ExportPic");
        dialog->Form().Controls<forms::OptionButton>("OptionButton1").SetValue(true);
        window_->Driver().Refresh();
        EXPECT_TRUE(all->isChecked());
        EXPECT_FALSE(selected->isChecked());
        checked = true;
        // Esc presses the Cancel button.
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    PressButton("myExportPic");
    EXPECT_TRUE(checked);
    EXPECT_EQ(window_->Driver().Window("frm_ExportPic"), nullptr);
}

}  // namespace
}  // namespace velmora::studio
