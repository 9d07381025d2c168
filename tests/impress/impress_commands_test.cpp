// Ribbon commands pressed in a live Impress document, compared with the same
// commands run by velmora on the same deck, read back through the pptx host.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <com/sun/star/animations/XAnimationNodeSupplier.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/presentation/AnimationEffect.hpp>
#include <com/sun/star/presentation/XPresentationPage.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "impress/UnoText.hpp"
#include "impress/host/ImpressPresentation.hpp"
#include "tests/impress/OfficeFixture.hpp"
#include "tests/support/ForeignParts.hpp"
#include "tests/support/PackageEdit.hpp"
#include "tests/support/Process.hpp"

namespace velmora::testing {
namespace {

using impress::ChangeLog;

class ImpressCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        Office::Get().TakeMessages();
        decks_.BuildNumbered(deck_, 3, 2);
    }

    // Runs the command line on a copy of the deck; its messages.
    std::string RunVelmora(const std::string& command, const std::filesystem::path& copy) const
    {
        std::filesystem::copy_file(deck_, copy, std::filesystem::copy_options::overwrite_existing);
        const ProcessResult result =
            RunProcess({VELMORA_BIN, "run", command, copy.string(), "--no-open"}, std::chrono::seconds(120),
                       {{"VELMORA_SETTINGS", (dir_ / "cli-settings.ini").string()}});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    // The command line's messages for a mark command on `file` itself, marked "Orvaldi 印记".
    std::string RunMarkCommand(const char* command, const std::filesystem::path& file) const
    {
        const ProcessResult result =
            RunProcess({VELMORA_BIN, "run", command, file.string(), "--input", "Orvaldi 印记"},
                       std::chrono::seconds(120), {{"VELMORA_SETTINGS", (dir_ / "cli-settings.ini").string()}});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    // The font of each run of each slide's title: name and size.
    std::vector<std::pair<std::string, float>> TitleFonts(const std::filesystem::path& file)
    {
        std::vector<std::pair<std::string, float>> fonts;
        auto slides = decks_.Open(file)->Slides();
        for (int i = 1; i <= slides->Count(); ++i) {
            auto placeholders = slides->Item(i)->Shapes()->Placeholders();
            for (int p = 1; p <= placeholders->Count(); ++p) {
                const int type = placeholders->Item(p)->PlaceholderFormat()->Type();
                if (type == host::PlaceholderType::Title || type == host::PlaceholderType::CenterTitle) {
                    auto text = placeholders->Item(p)->TextFrame()->TextRange();
                    for (int r = 1; r <= text->RunCount(); ++r) {
                        auto font = text->Runs(r)->Font();
                        fonts.emplace_back(font->Name(), font->Size());
                    }
                }
            }
        }
        return fonts;
    }

    // Whether slide 1's title is filled, and with which colour. Impress
    // renames shapes as it saves, so the title is found by its kind.
    std::pair<int, host::Color> TitleFill(const std::filesystem::path& file)
    {
        auto placeholders = decks_.Open(file)->Slides()->Item(1)->Shapes()->Placeholders();
        for (int p = 1; p <= placeholders->Count(); ++p) {
            const int type = placeholders->Item(p)->PlaceholderFormat()->Type();
            if (type == host::PlaceholderType::Title || type == host::PlaceholderType::CenterTitle) {
                auto fill = placeholders->Item(p)->Fill();
                return {fill->Visible(), fill->Visible() == host::TriState::True ? fill->ForeColor()->RGB() : 0};
            }
        }
        ADD_FAILURE() << "slide 1 of " << file << " has no title";
        return {};
    }

    int EffectCount(const std::filesystem::path& file)
    {
        int effects = 0;
        auto slides = decks_.Open(file)->Slides();
        for (int i = 1; i <= slides->Count(); ++i) {
            effects += slides->Item(i)->TimeLine()->MainSequence()->Count();
        }
        return effects;
    }

    TempDir dir_;
    DeckHost decks_;
    std::filesystem::path deck_ = dir_ / "deck.pptx";
};

// Members compared: slide count and titles in order, each slide's notes
// text, the number of main-sequence effects, and the messages' texts.
TEST_F(ImpressCommands, NotesDeletionAndAnimationRemovalAgreeWithTheCommandLine)
{
    const std::filesystem::path throughImpress = dir_ / "impress.pptx";
    {
        LiveDeck live(deck_);
        live.StoreAs(dir_ / "untouched.pptx");
        live.Press("DeleteComment_All_Main", "myDeleteComment_All");
        live.Press("RemoveAnimation_All_Main", "myRemoveAnimation_All");
        live.StoreAs(throughImpress);
    }
    const std::string impressMessages = Office::Get().TakeMessages();
    const std::filesystem::path throughCli = dir_ / "cli.pptx";
    std::string cliMessages = RunVelmora("DeleteComment_All_Main", throughCli);
    std::filesystem::copy_file(throughCli, deck_, std::filesystem::copy_options::overwrite_existing);
    cliMessages += RunVelmora("RemoveAnimation_All_Main", throughCli);

    EXPECT_EQ(impressMessages, cliMessages);
    EXPECT_EQ(impressMessages,
              "[VelmoraV2.0 by Orvaldi] 所有备注信息已删除!\n"
              "[VelmoraV2.0 by Orvaldi] 所有动画效果已去除!\n");
    ASSERT_EQ(EffectCount(dir_ / "untouched.pptx"), 6) << "Impress lost the effects before any command ran";
    EXPECT_EQ(EffectCount(throughImpress), 0);
    EXPECT_EQ(EffectCount(throughCli), 0);
    auto impress = decks_.Open(throughImpress);
    auto cli = decks_.Open(throughCli);
    EXPECT_EQ(DeckHost::Titles(*impress), DeckHost::Titles(*cli));
    ASSERT_EQ(impress->Slides()->Count(), 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(DeckHost::Notes(*impress->Slides()->Item(i)), "");
        EXPECT_EQ(DeckHost::Notes(*cli->Slides()->Item(i)), "");
    }
}

// Slide 1's title has two runs in different fonts: undo gives each its own.
TEST_F(ImpressCommands, EachCommandIsOneUndoStepThatUndoesAndRedoesExactly)
{
    decks_.Build(deck_, {{"Velmora Title", "", 0, false, {}}, {"2", "", 0, false, {}}, {"3", "", 0, false, {}}});
    LiveDeck live(deck_);
    live.SetFont(1, 1, 8, 5, "DejaVu Sans Mono");
    live.StoreAs(dir_ / "before.pptx");
    ASSERT_EQ(live.SelectShape(1, 1), "Title 1");
    live.Press("SetColor_main", "mySetColor", {{"--click", "OptionButton4"}, {"--click", "Label9"}});
    live.Press("SetFont_main", "mySetFont", kTitlesInDejaVuSerif24);
    EXPECT_EQ(live.UndoTitles(), (std::vector<std::string>{"设置字体", "我的调色板"}));
    live.StoreAs(dir_ / "after.pptx");

    const auto fontsBefore = TitleFonts(dir_ / "before.pptx");
    ASSERT_EQ(fontsBefore.size(), 4U);
    EXPECT_EQ(fontsBefore[1].first, "DejaVu Sans Mono");
    const auto fontsAfter = TitleFonts(dir_ / "after.pptx");
    for (const auto& [name, size] : fontsAfter) {
        EXPECT_EQ(name, "DejaVu Serif");
        EXPECT_FLOAT_EQ(size, 24);
    }
    const auto fillBefore = TitleFill(dir_ / "before.pptx");
    const auto fillAfter = TitleFill(dir_ / "after.pptx");
    EXPECT_EQ(fillAfter.first, host::TriState::True);
    EXPECT_NE(fillAfter, fillBefore);

    live.Undo();
    live.Undo();
    live.StoreAs(dir_ / "undone.pptx");
    EXPECT_EQ(TitleFonts(dir_ / "undone.pptx"), fontsBefore);
    EXPECT_EQ(TitleFill(dir_ / "undone.pptx"), fillBefore);

    live.Redo();
    live.StoreAs(dir_ / "redone.pptx");
    EXPECT_EQ(TitleFill(dir_ / "redone.pptx"), fillAfter);
    EXPECT_EQ(TitleFonts(dir_ / "redone.pptx"), fontsBefore);
}

TEST_F(ImpressCommands, NotesDeletionIsUndoneWithItsText)
{
    LiveDeck live(deck_);
    live.Press("DeleteComment_All_Main", "myDeleteComment_All");
    EXPECT_EQ(live.UndoTitles(), (std::vector<std::string>{"删除全部幻灯片备注"}));
    live.Undo();
    live.StoreAs(dir_ / "undone.pptx");
    auto undone = decks_.Open(dir_ / "undone.pptx");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(DeckHost::Notes(*undone->Slides()->Item(i)), "N" + std::to_string(i));
    }
}

bool Modified(const LiveDeck& live)
{
    return css::uno::Reference<css::util::XModifiable>(live.model(), css::uno::UNO_QUERY_THROW)->isModified();
}

// As saving the deck does.
void MarkSaved(const LiveDeck& live)
{
    css::uno::Reference<css::util::XModifiable>(live.model(), css::uno::UNO_QUERY_THROW)->setModified(false);
}

// A command that changes the deck leaves it modified, so that the window
// shows it unsaved and closing asks; undo and redo change it again.
TEST_F(ImpressCommands, CommandsThatChangeTheDeckLeaveItModified)
{
    const std::vector<std::tuple<std::string, std::string, Script>> commands{
        {"SetFont_main", "mySetFont", kTitlesInDejaVuSerif24},
        {"DeleteComment_All_Main", "myDeleteComment_All", {}},
        {"RemoveAnimation_All_Main", "myRemoveAnimation_All", {}},
        {"AddPersonalMark_Main", "AddPersonalMark", {{"--input", "Orvaldi 印记"}}}};
    for (const auto& [onAction, controlId, script] : commands) {
        LiveDeck live(deck_);
        ASSERT_FALSE(Modified(live)) << onAction;
        live.Press(onAction, controlId, script);
        ASSERT_EQ(live.UndoTitles().size(), 1U) << onAction << ": " << Office::Get().TakeMessages();
        EXPECT_TRUE(Modified(live)) << onAction;
        MarkSaved(live);
        live.Undo();
        EXPECT_TRUE(Modified(live)) << onAction << " undone";
        MarkSaved(live);
        live.Redo();
        EXPECT_TRUE(Modified(live)) << onAction << " redone";
    }
    Office::Get().TakeMessages();
}

TEST_F(ImpressCommands, CommandsThatChangeNothingLeaveTheModifiedFlagAlone)
{
    decks_.BuildNumbered(deck_, 3);
    {
        LiveDeck live(deck_);
        live.Press("RemoveAnimation_All_Main", "myRemoveAnimation_All");
        live.Press("AddFlash_main", "myAddFlash");
        EXPECT_FALSE(Modified(live));
    }
    LiveDeck live(deck_);
    css::uno::Reference<css::util::XModifiable>(live.model(), css::uno::UNO_QUERY_THROW)->setModified(true);
    live.Press("AddFlash_main", "myAddFlash");
    EXPECT_TRUE(Modified(live));
    Office::Get().TakeMessages();
}

css::uno::Reference<css::drawing::XShapes> SlideShapes(const LiveDeck& live, int slideIndex)
{
    const css::uno::Reference<css::drawing::XDrawPagesSupplier> pages(live.model(), css::uno::UNO_QUERY_THROW);
    return {pages->getDrawPages()->getByIndex(slideIndex - 1), css::uno::UNO_QUERY_THROW};
}

// A slide title's effect as Impress's own list of the slide's effects has
// it: reading the shape's legacy effect property builds that list, as the
// sidebar and slide pane do in the desktop.
css::presentation::AnimationEffect TitleEffect(const LiveDeck& live, int slideIndex)
{
    return css::uno::Reference<css::beans::XPropertySet>(SlideShapes(live, slideIndex)->getByIndex(0),
                                                         css::uno::UNO_QUERY_THROW)
        ->getPropertyValue("Effect")
        .get<css::presentation::AnimationEffect>();
}

// Impress reads the timing tree again, and writes its list back, on a timer.
bool Eventually(const std::function<bool()>& condition)
{
    for (int tries = 0; tries < 100; ++tries) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::vector<css::uno::Reference<css::animations::XAnimationNode>> ChildrenOf(
    const css::uno::Reference<css::animations::XAnimationNode>& node)
{
    std::vector<css::uno::Reference<css::animations::XAnimationNode>> children;
    const css::uno::Reference<css::container::XEnumerationAccess> access(node, css::uno::UNO_QUERY_THROW);
    for (const auto list = access->createEnumeration(); list->hasMoreElements();) {
        children.emplace_back(list->nextElement(), css::uno::UNO_QUERY_THROW);
    }
    return children;
}

// The click nodes of a slide's timing tree, under each sequence.
std::vector<css::uno::Reference<css::animations::XAnimationNode>> ClickNodes(const LiveDeck& live, int slideIndex)
{
    const css::uno::Reference<css::animations::XAnimationNodeSupplier> slide(SlideShapes(live, slideIndex),
                                                                             css::uno::UNO_QUERY_THROW);
    std::vector<css::uno::Reference<css::animations::XAnimationNode>> clicks;
    for (const auto& sequence : ChildrenOf(slide->getAnimationNode())) {
        for (const auto& click : ChildrenOf(sequence)) {
            clicks.push_back(click);
        }
    }
    return clicks;
}

// An effect given to a slide's title through Impress's own list, as its
// sidebar gives one; once Impress has written the list back to the tree,
// which it does with new click nodes.
void AddEffectToTitle(const LiveDeck& live, int slideIndex)
{
    const auto before = ClickNodes(live, slideIndex);
    css::uno::Reference<css::beans::XPropertySet>(SlideShapes(live, slideIndex)->getByIndex(0),
                                                  css::uno::UNO_QUERY_THROW)
        ->setPropertyValue("Effect", css::uno::Any(css::presentation::AnimationEffect_FADE_FROM_LEFT));
    EXPECT_TRUE(Eventually([&] { return ClickNodes(live, slideIndex) != before; }));
}

// Impress keeps its list of effects beside the timing tree and writes the
// list back whenever an effect is added: removed effects must leave both.
TEST_F(ImpressCommands, RemovedAnimationsStayRemovedWhenTheUserAddsAnEffect)
{
    {
        LiveDeck live(deck_);
        ASSERT_NE(TitleEffect(live, 1), css::presentation::AnimationEffect_NONE);
        live.Press("RemoveAnimation_All_Main", "myRemoveAnimation_All");
        EXPECT_TRUE(Eventually([&] { return TitleEffect(live, 1) == css::presentation::AnimationEffect_NONE; }));
        AddEffectToTitle(live, 1);
        live.StoreAs(dir_ / "added.pptx");
    }
    EXPECT_EQ(EffectCount(dir_ / "added.pptx"), 1);
    {
        LiveDeck live(deck_);
        TitleEffect(live, 1);
        live.Press("RemoveAnimation_All_Main", "myRemoveAnimation_All");
        Eventually([&] { return TitleEffect(live, 1) == css::presentation::AnimationEffect_NONE; });
        live.Undo();
        EXPECT_TRUE(Eventually([&] { return TitleEffect(live, 1) != css::presentation::AnimationEffect_NONE; }));
        AddEffectToTitle(live, 1);
        live.StoreAs(dir_ / "undone.pptx");
    }
    // The title's own two effects are back in Impress's list: they take the
    // new kind, and no effect is added or lost.
    EXPECT_EQ(EffectCount(dir_ / "undone.pptx"), 6);
    Office::Get().TakeMessages();
}

// Impress names on Edit > Undo only the steps its own view made; the
// commands' steps carry their names there as well, and Impress's own keep theirs.
TEST_F(ImpressCommands, TheUndoStepCarriesTheCommandsNameIntoTheEditMenu)
{
    LiveDeck live(deck_);
    const css::uno::Reference<css::drawing::XDrawPagesSupplier> pages(live.model(), css::uno::UNO_QUERY_THROW);
    const css::uno::Reference<css::drawing::XDrawPage> last(pages->getDrawPages()->getByIndex(2),
                                                            css::uno::UNO_QUERY_THROW);
    pages->getDrawPages()->remove(last);
    const std::string impressOwn = live.MenuText(".uno:Undo");
    live.Press("DeleteComment_All_Main", "myDeleteComment_All");
    Office::Get().TakeMessages();
    const auto manager =
        css::uno::Reference<css::document::XUndoManagerSupplier>(live.model(), css::uno::UNO_QUERY_THROW)
            ->getUndoManager();
    EXPECT_EQ(impress::FromUno(manager->getCurrentUndoActionTitle()), "删除全部幻灯片备注");
    EXPECT_EQ(live.MenuText(".uno:Undo"), "Undo: 删除全部幻灯片备注");
    live.Undo();
    EXPECT_EQ(live.MenuText(".uno:Redo"), "Redo: 删除全部幻灯片备注");
    EXPECT_EQ(live.MenuText(".uno:Undo"), impressOwn);
    EXPECT_EQ(impressOwn, "Undo: Delete slides");
}

css::uno::Reference<css::text::XText> NotesText(const LiveDeck& live, int slideIndex)
{
    const css::uno::Reference<css::presentation::XPresentationPage> slide(SlideShapes(live, slideIndex),
                                                                          css::uno::UNO_QUERY_THROW);
    const css::uno::Reference<css::drawing::XShapes> notes(slide->getNotesPage(), css::uno::UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < notes->getCount(); ++i) {
        const css::uno::Reference<css::drawing::XShape> shape(notes->getByIndex(i), css::uno::UNO_QUERY_THROW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        const bool notesShape = shape->getShapeType() == "com.sun.star.presentation.NotesShape";
#pragma GCC diagnostic pop
        if (notesShape) {
            return {shape, css::uno::UNO_QUERY_THROW};
        }
    }
    ADD_FAILURE() << "slide " << slideIndex << " has no notes shape";
    return {};
}

// Each run of a text: its paragraph, text, face, weight and size.
std::vector<std::string> Runs(const css::uno::Reference<css::text::XText>& text)
{
    std::vector<std::string> runs;
    const css::uno::Reference<css::container::XEnumerationAccess> paragraphs(text, css::uno::UNO_QUERY_THROW);
    int paragraph = 0;
    for (const auto list = paragraphs->createEnumeration(); list->hasMoreElements();) {
        ++paragraph;
        const css::uno::Reference<css::container::XEnumerationAccess> portions(list->nextElement(),
                                                                               css::uno::UNO_QUERY_THROW);
        for (const auto portionList = portions->createEnumeration(); portionList->hasMoreElements();) {
            const css::uno::Reference<css::text::XTextRange> portion(portionList->nextElement(),
                                                                     css::uno::UNO_QUERY_THROW);
            const css::uno::Reference<css::beans::XPropertySet> format(portion, css::uno::UNO_QUERY_THROW);
            std::ostringstream run;
            run << paragraph << " [" << impress::FromUno(portion->getString()) << "] "
                << impress::FromUno(format->getPropertyValue("CharFontName").get<rtl::OUString>()) << " "
                << format->getPropertyValue("CharWeight").get<float>() << " "
                << format->getPropertyValue("CharHeight").get<float>();
            runs.push_back(run.str());
        }
    }
    return runs;
}

void FormatRange(const css::uno::Reference<css::text::XText>& text, int from, int length, const std::string& name,
                 const css::uno::Any& value)
{
    const auto cursor = text->createTextCursor();
    cursor->gotoStart(false);
    cursor->goRight(static_cast<sal_Int16>(from), false);
    cursor->goRight(static_cast<sal_Int16>(length), true);
    css::uno::Reference<css::beans::XPropertySet>(cursor, css::uno::UNO_QUERY_THROW)
        ->setPropertyValue(impress::ToUno(name), value);
}

// Two paragraphs, runs in other faces, weights and sizes: undo gives each
// run its own format back, not the first run's.
TEST_F(ImpressCommands, NotesDeletionIsUndoneWithTheNotesFormatting)
{
    LiveDeck live(deck_);
    const auto notes = NotesText(live, 1);
    notes->setString("Bold start, plain end\nSecond paragraph");
    FormatRange(notes, 0, 10, "CharWeight", css::uno::Any(css::awt::FontWeight::BOLD));
    FormatRange(notes, 0, 10, "CharFontName", css::uno::Any(impress::ToUno("DejaVu Serif")));
    FormatRange(notes, 22, 16, "CharFontName", css::uno::Any(impress::ToUno("DejaVu Sans Mono")));
    FormatRange(notes, 22, 6, "CharHeight", css::uno::Any(28.0F));
    const auto before = Runs(notes);
    ASSERT_EQ(before.size(), 4U) << ::testing::PrintToString(before);

    live.Press("DeleteComment_All_Main", "myDeleteComment_All");
    Office::Get().TakeMessages();
    EXPECT_EQ(notes->getString(), "");
    live.Undo();
    EXPECT_EQ(Runs(notes), before);
    live.Redo();
    EXPECT_EQ(notes->getString(), "");
}

TEST_F(ImpressCommands, FlashInsertionSaysInChineseThatImpressCannotDoItAndChangesNothing)
{
    LiveDeck live(deck_);
    live.Press("AddFlash_main", "myAddFlash");
    const std::string messages = Office::Get().TakeMessages();
    EXPECT_NE(messages.find("无法在此插入 Flash"), std::string::npos) << messages;
    EXPECT_TRUE(live.UndoTitles().empty());
}

TEST_F(ImpressCommands, SplitFromTheShownSlideWritesTheSameCopyAsTheCommandLine)
{
    const std::filesystem::path copy = dir_ / "deck-拆分文档.pptx";
    {
        LiveDeck live(deck_);
        live.ShowSlide(2);
        live.Press("SplitDoc_fromhere_Main", "mySplitDoc_fromhere", {{"--answer", "yes"}});
    }
    const std::string impressMessages = Office::Get().TakeMessages();
    ASSERT_TRUE(std::filesystem::exists(copy)) << impressMessages;
    const auto impressTitles = DeckHost::Titles(*decks_.Open(copy));
    std::filesystem::remove(copy);

    const ProcessResult cli = RunProcess(
        {VELMORA_BIN, "run", "SplitDoc_fromhere_Main", deck_.string(), "--slide", "2", "--answer", "yes", "--no-open"},
        std::chrono::seconds(120), {{"VELMORA_SETTINGS", (dir_ / "cli-settings.ini").string()}});
    EXPECT_EQ(impressMessages, cli.out);
    EXPECT_EQ(impressTitles, DeckHost::Titles(*decks_.Open(copy)));
    EXPECT_EQ(impressTitles, (std::vector<std::string>{"2", "3"}));
}

// Slides taken out of the open presentation come back with one undo, the
// step named after the command, with their notes and in their places.
TEST_F(ImpressCommands, ASplitThatTakesTheSlidesOutIsOneUndoStepThatGivesThemBack)
{
    LiveDeck live(deck_);
    live.ShowSlide(2);
    live.Press("SplitDoc_fromhere_Main", "mySplitDoc_fromhere", {{"--answer", "no"}});
    const std::string messages = Office::Get().TakeMessages();
    EXPECT_NE(messages.find("拆分文档已保存在当前路径下的以下文件中"), std::string::npos) << messages;
    EXPECT_EQ(live.UndoTitles(), (std::vector<std::string>{"从当前位置拆分"}));
    live.StoreAs(dir_ / "split.pptx");
    EXPECT_EQ(DeckHost::Titles(*decks_.Open(dir_ / "split.pptx")), (std::vector<std::string>{"1"}));

    live.Undo();
    live.StoreAs(dir_ / "undone.pptx");
    auto undone = decks_.Open(dir_ / "undone.pptx");
    EXPECT_EQ(DeckHost::Titles(*undone), (std::vector<std::string>{"1", "2", "3"}));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(DeckHost::Notes(*undone->Slides()->Item(i)), "N" + std::to_string(i));
    }
    live.Redo();
    live.StoreAs(dir_ / "redone.pptx");
    EXPECT_EQ(DeckHost::Titles(*decks_.Open(dir_ / "redone.pptx")), (std::vector<std::string>{"1"}));
}

// The document's custom properties that hold slide marks, as "name=value", sorted.
std::vector<std::string> MarkProperties(const LiveDeck& live)
{
    const auto supplier = css::uno::Reference<css::document::XDocumentPropertiesSupplier>(live.model(),
                                                                                          css::uno::UNO_QUERY_THROW);
    const css::uno::Reference<css::beans::XPropertySet> properties(
        supplier->getDocumentProperties()->getUserDefinedProperties(), css::uno::UNO_QUERY_THROW);
    std::vector<std::string> marks;
    for (const css::beans::Property& property : properties->getPropertySetInfo()->getProperties()) {
        const std::string name = impress::FromUno(property.Name);
        if (name.starts_with("VelmoraTag.")) {
            rtl::OUString value;
            properties->getPropertyValue(property.Name) >>= value;
            marks.push_back(name + "=" + impress::FromUno(value));
        }
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

// The number of pictures on each slide.
std::vector<int> PicturesPerSlide(host::Presentation& presentation)
{
    std::vector<int> counts;
    auto slides = presentation.Slides();
    for (int i = 1; i <= slides->Count(); ++i) {
        auto shapes = slides->Item(i)->Shapes();
        int pictures = 0;
        for (int s = 1; s <= shapes->Count(); ++s) {
            pictures += shapes->Item(s)->Type() == host::ShapeType::Picture ? 1 : 0;
        }
        counts.push_back(pictures);
    }
    return counts;
}

// Another writer's deck whose last two slides show one picture part, one of
// them through an absolute target: undo gives both slides back with it.
TEST_F(ImpressCommands, SlidesSharingAPictureComeBackWithItOnUndo)
{
    AddPicture(deck_, 2, "shared.png");
    AddPicture(deck_, 3, "shared.png", true);
    LiveDeck live(deck_);
    live.ShowSlide(2);
    live.Press("SplitDoc_fromhere_Main", "mySplitDoc_fromhere", {{"--answer", "no"}});
    Office::Get().TakeMessages();
    EXPECT_EQ(PicturesPerSlide(*decks_.Open(dir_ / "deck-拆分文档.pptx")), (std::vector<int>{1, 1}));
    live.StoreAs(dir_ / "split.pptx");
    EXPECT_EQ(PicturesPerSlide(*decks_.Open(dir_ / "split.pptx")), (std::vector<int>{0}));
    live.Undo();
    live.StoreAs(dir_ / "undone.pptx");
    auto undone = decks_.Open(dir_ / "undone.pptx");
    EXPECT_EQ(DeckHost::Titles(*undone), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(PicturesPerSlide(*undone), (std::vector<int>{0, 1, 1}));
}

// The split tells the selected slides by a tag of its own: bookkeeping,
// which stays out of the user's deck and out of the copy, and the copy still
// holds only the selection.
TEST_F(ImpressCommands, ExtractingTheSelectionLeavesNoTagPropertiesInEitherDeck)
{
    LiveDeck live(deck_);
    live.ShowSlide(2);
    live.Press("SplitDoc_selection_Main", "mySplitDoc_selection", {{"--answer", "no"}});
    Office::Get().TakeMessages();
    EXPECT_EQ(live.UndoTitles(), (std::vector<std::string>{"提取当前选定幻灯片"}));
    EXPECT_TRUE(MarkProperties(live).empty());
    live.StoreAs(dir_ / "extracted.pptx");
    EXPECT_EQ(DeckHost::Titles(*decks_.Open(dir_ / "extracted.pptx")), (std::vector<std::string>{"1", "3"}));
    const auto copy = dir_ / "deck-拆分文档.pptx";
    EXPECT_EQ(DeckHost::Titles(*decks_.Open(copy)), (std::vector<std::string>{"2"}));
    EXPECT_EQ(ReadEntry(copy, "docProps/custom.xml").value_or("").find("VelmoraTag"), std::string::npos);
    live.Undo();
    live.StoreAs(dir_ / "undone.pptx");
    EXPECT_EQ(DeckHost::Titles(*decks_.Open(dir_ / "undone.pptx")), (std::vector<std::string>{"1", "2", "3"}));
}

// The host itself, over a live deck: slides 2 and 4 of five go in one
// deletion, and each remaining slide keeps its own mark under its new number.
TEST_F(ImpressCommands, MarksFollowTheirSlidesPastSeveralDeletedOnes)
{
    decks_.BuildNumbered(deck_, 5);
    LiveDeck live(deck_);
    ChangeLog changes;
    const host::Services services;
    impress::ImpressPresentation presentation(
        std::make_shared<impress::LiveDocument>(Office::Get().context(), nullptr, live.model(), changes, services));
    auto slides = presentation.Slides();
    for (int i = 1; i <= 5; ++i) {
        slides->Item(i)->Tags()->Add("Mark", "of " + std::to_string(i));
    }
    slides->Range({2, 4})->Delete();
    EXPECT_TRUE(changes.OfficeRecorded());
    EXPECT_EQ(MarkProperties(live), (std::vector<std::string>{"VelmoraTag.1.mark=of 1", "VelmoraTag.2.mark=of 3",
                                                               "VelmoraTag.3.mark=of 5"}));
}

// Impress keeps one slide at least: a split from the first slide without
// keeping it writes the copy, then fails on the last slide, says so, and
// takes back the slides it had already taken out.
TEST_F(ImpressCommands, ASplitThatWouldLeaveNoSlideSaysSoAndLeavesTheDeckWhole)
{
    LiveDeck live(deck_);
    live.ShowSlide(1);
    live.Press("SplitDoc_fromhere_Main", "mySplitDoc_fromhere", {{"--answer", "no"}});
    const std::string messages = Office::Get().TakeMessages();
    EXPECT_NE(messages.find("命令未能完成：LibreOffice Impress 的演示文稿至少要有一张幻灯片"), std::string::npos)
        << messages;
    EXPECT_TRUE(live.UndoTitles().empty());
    live.StoreAs(dir_ / "after.pptx");
    auto after = decks_.Open(dir_ / "after.pptx");
    EXPECT_EQ(DeckHost::Titles(*after), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(DeckHost::Notes(*after->Slides()->Item(3)), "N3");
}

// Impress has no slide tags: the marks live in the document's custom
// properties, and must be found again once the deck is saved as .pptx and
// opened anew.
TEST_F(ImpressCommands, PersonalMarksSurviveSavingAsPptxAndSayWhatTheCommandLineSays)
{
    const Script mark{{"--input", "Orvaldi 印记"}};
    const std::filesystem::path marked = dir_ / "marked.pptx";
    {
        LiveDeck live(deck_);
        live.Press("AddPersonalMark_Main", "AddPersonalMark", mark);
        live.StoreAs(marked);
    }
    {
        LiveDeck reopened(marked);
        reopened.Press("ReadPersonalMark_Main", "ReadPersonalMark", mark);
    }
    const std::string impressMessages = Office::Get().TakeMessages();

    std::string cliMessages;
    for (const char* command : {"AddPersonalMark_Main", "ReadPersonalMark_Main"}) {
        cliMessages += RunMarkCommand(command, deck_);
    }
    EXPECT_EQ(impressMessages, cliMessages);
    EXPECT_NE(impressMessages.find("检测到3页幻灯片"), std::string::npos) << impressMessages;
}

// A mark set by one host is read by the other: Impress drops the slides' tag
// parts and the command line once read no custom properties.
TEST_F(ImpressCommands, PersonalMarksCarryBetweenImpressAndTheCommandLine)
{
    const std::filesystem::path markedInImpress = dir_ / "impress-marked.pptx";
    {
        LiveDeck live(deck_);
        live.Press("AddPersonalMark_Main", "AddPersonalMark", {{"--input", "Orvaldi 印记"}});
        live.StoreAs(markedInImpress);
    }
    Office::Get().TakeMessages();
    EXPECT_NE(RunMarkCommand("ReadPersonalMark_Main", markedInImpress).find("基因相似度达到了100%"),
              std::string::npos);

    const std::filesystem::path markedByCli = dir_ / "cli-marked.pptx";
    std::filesystem::copy_file(deck_, markedByCli);
    EXPECT_NE(RunMarkCommand("AddPersonalMark_Main", markedByCli).find("已成功为3页幻灯片添加印记！"),
              std::string::npos);
    {
        LiveDeck live(markedByCli);
        live.Press("ReadPersonalMark_Main", "ReadPersonalMark", {{"--input", "Orvaldi 印记"}});
    }
    const std::string messages = Office::Get().TakeMessages();
    EXPECT_NE(messages.find("检测到3页幻灯片包含您的私人印记信息"), std::string::npos) << messages;
    EXPECT_NE(messages.find("基因相似度达到了100%"), std::string::npos) << messages;
}

// Width and height of a PNG file, from its header.
std::pair<int, int> PngSize(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto number = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    return {number(16), number(20)};
}

TEST_F(ImpressCommands, PictureExportDrawsEverySlideAtTheExactPixelSizeThroughImpress)
{
    LiveDeck live(deck_);
    live.Press("ExportPic_main", "myExportPic",
               {{"--set", "OptionButton1=true"},
                {"--set", "OptionButton10=true"},
                {"--set", "OptionButton4=true"},
                {"--click", "Cmd_OK"}});
    const std::string messages = Office::Get().TakeMessages();
    EXPECT_NE(messages.find("幻灯片已成功导出为图片"), std::string::npos) << messages;
    const std::filesystem::path folder = dir_ / "deck-导出图片";
    std::vector<std::filesystem::path> pictures;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        pictures.push_back(entry.path());
    }
    ASSERT_EQ(pictures.size(), 3U) << messages;
    // 1280 pixels along the long edge, the other edge in the slide's proportion.
    auto pageSetup = decks_.Open(deck_)->PageSetup();
    const int height = static_cast<int>(std::lround(1280 * pageSetup->SlideHeight() / pageSetup->SlideWidth()));
    for (const auto& picture : pictures) {
        EXPECT_EQ(PngSize(picture), (std::pair<int, int>{1280, height})) << picture;
    }
    EXPECT_TRUE(live.UndoTitles().empty());
}

// The album copy is made in a hidden presentation: the open one is left
// alone (no undo step), and the slides' pictures made on the way are gone.
TEST_F(ImpressCommands, TheAlbumCopyIsMadeBesideTheDeckAndLeavesTheDeckAlone)
{
    LiveDeck live(deck_);
    live.Press("TranstoPic_main", "myTranstoPic");
    const std::string messages = Office::Get().TakeMessages();
    EXPECT_NE(messages.find("已成功在当前路径下生成相册副本：deck_图片版"), std::string::npos) << messages;
    EXPECT_TRUE(live.UndoTitles().empty());
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        if (const std::string name = entry.path().filename().string(); !name.starts_with(".~lock.")) {
            left.push_back(name);  // Impress's own lock file aside
        }
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"deck.pptx", "deck_图片版.pptx"}));
    EXPECT_EQ(decks_.Open(dir_ / "deck_图片版.pptx")->Slides()->Count(), 3);
}

// The commands work on presentations: another document's window shows them
// disabled, and a dispatch that comes all the same is answered with a message.
TEST_F(ImpressCommands, CommandsAreDisabledAndRefusedOutsideAPresentation)
{
    {
        LiveDeck live(deck_);
        EXPECT_TRUE(live.Enabled("DeleteComment_All_Main", "myDeleteComment_All"));
    }
    LiveDeck drawing = LiveDeck::New("private:factory/sdraw");
    EXPECT_FALSE(drawing.Enabled("DeleteComment_All_Main", "myDeleteComment_All"));
    drawing.Press("DeleteComment_All_Main", "myDeleteComment_All");
    EXPECT_EQ(Office::Get().TakeMessages(), "[VelmoraV2.0 by Orvaldi] 命令未能完成：当前窗口中没有打开的演示文稿\n");
}

// The start-up routine counts starts of the presentation program: opening
// presentations and pressing commands afterwards counts nothing more.
TEST_F(ImpressCommands, TheStartUpRoutineRunsOncePerStartOfImpress)
{
    LiveDeck first(deck_);
    LiveDeck second(deck_);
    second.Press("DeleteComment_All_Main", "myDeleteComment_All");
    std::ifstream in(Office::Get().settings());
    std::stringstream settings;
    settings << in.rdbuf();
    EXPECT_NE(settings.str().find("usetime=1\n"), std::string::npos) << settings.str();
}

}  // namespace
}  // namespace velmora::testing
