#include <pugixml.hpp>

#include "tests/doctools/DoctoolsFixture.hpp"
#include "tests/support/LibreOffice.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {
namespace {

// A trigger animation: the first shape appears when the title is clicked.
constexpr const char* kInteractiveSequence = R"(<p:seq xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main" concurrent="1" nextAc="seek">
<p:cTn id="900" restart="whenNotActive" fill="hold" evtFilter="cancelBubble" nodeType="interactiveSeq">
<p:stCondLst><p:cond evt="onClick" delay="0"><p:tgtEl><p:spTgt spid="2"/></p:tgtEl></p:cond></p:stCondLst>
<p:endSync evt="end" delay="0"><p:rtn val="all"/></p:endSync>
<p:childTnLst><p:par><p:cTn id="901" fill="hold"><p:stCondLst><p:cond delay="0"/></p:stCondLst><p:childTnLst>
<p:par><p:cTn id="902" fill="hold"><p:stCondLst><p:cond delay="0"/></p:stCondLst><p:childTnLst>
<p:par><p:cTn id="903" presetID="1" presetClass="entr" presetSubtype="0" fill="hold" nodeType="clickEffect">
<p:stCondLst><p:cond delay="0"/></p:stCondLst><p:childTnLst><p:set><p:cBhvr>
<p:cTn id="904" dur="1" fill="hold"><p:stCondLst><p:cond delay="0"/></p:stCondLst></p:cTn>
<p:tgtEl><p:spTgt spid="3"/></p:tgtEl><p:attrNameLst><p:attrName>style.visibility</p:attrName></p:attrNameLst>
</p:cBhvr><p:to><p:strVal val="visible"/></p:to></p:set></p:childTnLst></p:cTn></p:par>
</p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn>
<p:nextCondLst><p:cond evt="onClick" delay="0"><p:tgtEl><p:spTgt spid="2"/></p:tgtEl></p:cond></p:nextCondLst>
</p:seq>)";

// Puts the trigger animation beside the main sequence of a slide part.
void AddInteractiveSequence(const std::filesystem::path& deck, const std::string& slidePart)
{
    pugi::xml_document slide;
    ASSERT_TRUE(slide.load_string(ReadEntry(deck, slidePart).value().c_str()));
    auto root = slide.document_element().child("p:timing").child("p:tnLst").child("p:par").child("p:cTn");
    auto children = root.child("p:childTnLst");
    ASSERT_TRUE(children) << "the slide has no main sequence to sit beside";
    pugi::xml_document sequence;
    ASSERT_TRUE(sequence.load_string(kInteractiveSequence));
    auto added = children.append_copy(sequence.document_element());
    added.remove_attribute("xmlns:p");
    std::ostringstream out;
    slide.save(out, "", pugi::format_raw);
    WriteEntry(deck, slidePart, out.str());
}

struct Counts {
    std::vector<int> effects;
    std::vector<int> interactive;
    std::vector<int> transitions;
};

Counts Count(DeckHost& decks, const std::filesystem::path& file)
{
    Counts counts;
    auto presentation = decks.Open(file);
    for (int i = 1; i <= presentation->Slides()->Count(); ++i) {
        auto slide = presentation->Slides()->Item(i);
        counts.effects.push_back(slide->TimeLine()->MainSequence()->Count());
        counts.interactive.push_back(slide->TimeLine()->InteractiveSequenceCount());
        counts.transitions.push_back(slide->SlideShowTransition()->EntryEffect());
    }
    return counts;
}

using AnimationRemoval = DoctoolsTest;

TEST_F(AnimationRemoval, AllSlidesLoseMainSequencesButKeepTriggersAndTransitions)
{
    decks_.Build(deck(), {{"a", "", 3, true, {}}, {"b", "", 0, false, {}}, {"c", "", 1, true, {}}});
    AddInteractiveSequence(deck(), "ppt/slides/slide1.xml");
    ASSERT_EQ(Count(decks_, deck()).interactive, (std::vector<int>{1, 0, 0}));

    const auto run = Velmora({"run", "RemoveAnimation_All_Main", deck().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "所有动画效果已去除!\n");

    const Counts after = Count(decks_, deck());
    EXPECT_EQ(after.effects, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(after.interactive, (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(after.transitions, (std::vector<int>{host::EntryEffect::Fade, 0, host::EntryEffect::Fade}));
    EXPECT_EQ(SlidesSeenByLibreOffice(deck()), 3);
}

TEST_F(AnimationRemoval, ADeckWithoutAnimationStillReportsCompletion)
{
    decks_.BuildNumbered(deck(), 2);
    const auto run = Velmora({"run", "RemoveAnimation_All_Main", deck().string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(kTitle) + "所有动画效果已去除!\n");
}

TEST_F(AnimationRemoval, OnlyTheSelectedSlidesLoseTheirEffects)
{
    decks_.BuildNumbered(deck(), 5, 2);
    const auto run = Velmora({"run", "RemoveAnimation_Select_Main", deck().string(), "--select", "4,1,2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kTitle) + "当前选定幻灯片的动画效果已去除!\n");
    EXPECT_EQ(Count(decks_, deck()).effects, (std::vector<int>{0, 0, 2, 0, 2}));
}

TEST_F(AnimationRemoval, NothingSelectedIsRefused)
{
    decks_.BuildNumbered(deck(), 2, 1);
    const std::string before = ReadBytes(deck());
    const auto run = Velmora({"run", "RemoveAnimation_Select_Main", deck().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, std::string(kTitle) + "没有选定任何幻灯片！\n");
    EXPECT_EQ(ReadBytes(deck()), before);
}

TEST_F(AnimationRemoval, WorksOnADeckWrittenByLibreOffice)
{
    decks_.BuildNumbered(deck("ours.pptx"), 3, 2);
    TempDir out;
    const auto foreign = ConvertWithLibreOffice(deck("ours.pptx"), "pptx", out.path());
    ASSERT_TRUE(foreign);
    std::filesystem::copy_file(*foreign, deck("foreign.pptx"));
    const auto before = Count(decks_, deck("foreign.pptx"));
    EXPECT_GT(before.effects.at(0), 0) << "LibreOffice kept no effect to remove";

    const auto run = Velmora({"run", "RemoveAnimation_All_Main", deck("foreign.pptx").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Count(decks_, deck("foreign.pptx")).effects, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(SlidesSeenByLibreOffice(deck("foreign.pptx")), 3);
}

}  // namespace
}  // namespace velmora::testing
