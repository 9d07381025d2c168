#include <fstream>

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "StudioFixture.hpp"
#include "host/Prompts.hpp"
#include "platform/PlatformServices.hpp"
#include "studio/FormWindow.hpp"
#include "studio/QtPrompts.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::studio {
namespace {

// The patterns of a name filter as the file dialog reads them.
QStringList Patterns(const QString& filter)
{
    return filter.mid(filter.indexOf('(') + 1).chopped(1).split(' ', Qt::SkipEmptyParts);
}

TEST(QtFilters, SplitTheToolsPatternsFitEitherCaseAndEndWithAllFiles)
{
    const QStringList filters = QtFilters({{"Image Files", "*.JPG,*.PNG,*.BMP,*.GIF"}, {"Flash", "*.swf; *.SWF"}});
    ASSERT_EQ(filters.size(), 3);
    EXPECT_EQ(filters[0].toStdString(), "Image Files (*.jpg *.JPG *.png *.PNG *.bmp *.BMP *.gif *.GIF)");
    EXPECT_EQ(filters[1].toStdString(), "Flash (*.swf *.SWF)");
    EXPECT_EQ(filters[2].toStdString(), "所有文件 (*)");

    testing::TempDir dir;
    for (const char* name : {"mark.PNG", "photo.jpg", "logo.Gif", "notes.txt"}) {
        std::ofstream(dir / name) << "x";
    }
    QDir folder(QString::fromStdString(dir.path().string()));
    folder.setFilter(QDir::Files | QDir::CaseSensitive);
    folder.setSorting(QDir::Name);
    folder.setNameFilters(Patterns(filters[0]));
    EXPECT_EQ(folder.entryList().join(',').toStdString(), "mark.PNG,photo.jpg");
}

class PromptsTest : public StudioFixture {};

TEST_F(PromptsTest, AnInputBoxKeepsTheLinesOfItsPrompt)
{
    QtPrompts prompts(window_.get());
    QString shown;
    WhenModal([&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->objectName().toStdString(), "InputBox");
        shown = box->labelText();
        box->setTextValue("蓝天");
        box->accept();
    });
    EXPECT_EQ(prompts.InputBox("第一行\r第二行", "标题", ""), "蓝天");
    EXPECT_EQ(shown.toStdString(), "第一行\n第二行");
}

// The texts of the buttons of the message box showing now, and the answer given.
QStringList AnswerWith(QMessageBox::StandardButton answer)
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
        ADD_FAILURE() << "no message box shows";
        return {};
    }
    QStringList texts;
    for (const QAbstractButton* button : box->buttons()) {
        texts << button->text().remove('&');
    }
    texts.sort();
    box->button(answer)->click();
    return texts;
}

TEST_F(PromptsTest, MessageBoxesAndTheSaveQuestionAnswerInChinese)
{
    QtPrompts prompts(window_.get());
    QStringList question;
    WhenModal([&] { question = AnswerWith(QMessageBox::No); });
    EXPECT_EQ(prompts.MsgBox("继续？", host::MsgStyle::YesNo, "标题"), host::MsgAnswer::No);
    EXPECT_EQ(question.join(',').toStdString(), "否(N),是(Y)");

    QStringList message;
    WhenModal([&] { message = AnswerWith(QMessageBox::Ok); });
    prompts.MsgBox("完成", host::MsgStyle::Information, "标题");
    EXPECT_EQ(message.join(',').toStdString(), "确定");

    window_->Press("DeleteComment_All_Main", {});
    QStringList save;
    WhenModal([&] { save = AnswerWith(QMessageBox::Cancel); });
    EXPECT_FALSE(window_->CloseDocument());
    EXPECT_EQ(save.join(',').toStdString(), "不保存(N),保存,取消");
}

// Enter takes the default button: Yes for a question, as in every host.
TEST_F(PromptsTest, ReturnAnswersAQuestionYes)
{
    QtPrompts prompts(window_.get());
    for (const bool unasked : {false, true}) {
        WhenModal([] {
            QWidget* box = QApplication::activeModalWidget();
            QTest::keyClick(box->focusWidget() != nullptr ? box->focusWidget() : box, Qt::Key_Return);
        });
        const int answer = unasked ? prompts.UnaskedQuestion("检测更新？", host::MsgStyle::YesNo, "标题",
                                                             host::MsgAnswer::Yes)
                                   : prompts.MsgBox("拆分后是否在原文档中保留？", host::MsgStyle::YesNo, "标题");
        EXPECT_EQ(answer, host::MsgAnswer::Yes) << (unasked ? "the start-up question" : "a tool's question");
    }
}

// The font dialog hides itself before it works and says it is done.
TEST_F(PromptsTest, ADialogItsToolHidIsHiddenWhileItsMessageShows)
{
    StudioWindow studio(platform::PlatformServices({std::make_shared<QtPrompts>()}), options_);
    studio.show();
    studio.Start();
    ASSERT_TRUE(studio.Open(Deck()));
    bool messageShown = false;
    bool dialogVisible = true;
    WhenModal([&] {
        FormWindow* dialog = studio.Driver().Window("frm_setFont");
        ASSERT_NE(dialog, nullptr);
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [&, poll, dialog] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                messageShown = true;
                dialogVisible = dialog->isVisible();
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll->start(10);
        QTest::mouseClick(dialog->Widget("CommandButton1"), Qt::LeftButton);
    });
    studio.Press("SetFont_main", {});
    EXPECT_TRUE(messageShown);
    EXPECT_FALSE(dialogVisible);
    studio.Driver().UnloadAll();
}

}  // namespace
}  // namespace velmora::studio
