#include <gtest/gtest.h>

#include "host/Host.hpp"
#include "pptx/parts/Timing.hpp"
#include "pptx/parts/Transition.hpp"
#include "tests/pptx/document/DeckFiles.hpp"
#include "tests/pptx/document/ZipFiles.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::testing {
namespace {

namespace timing = pptx::parts::timing;

TEST(TimeLineTest, EffectsAddedAndDeletedLeaveAValidTimeline)
{
    TempDir dir;
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    auto slide = presentation->Slides()->Add(1, host::SlideLayout::Title);
    auto shapes = slide->Shapes();
    auto title = shapes->Item(1);
    auto box = shapes->AddTextbox(host::TextOrientation::Horizontal, 20, 20, 200, 50);
    auto sequence = slide->TimeLine()->MainSequence();
    EXPECT_EQ(sequence->Count(), 0);
    sequence->AddEffect(title, host::EffectType::Appear);
    auto fade = sequence->AddEffect(box, host::EffectType::Fade);
    sequence->AddEffect(box, host::EffectType::Fly);
    EXPECT_THROW(sequence->AddEffect(box, 99), host::HostError);
    EXPECT_EQ(sequence->Count(), 3);
    EXPECT_EQ(fade->Index(), 2);
    presentation->SaveAs(dir / "animated.pptx", host::SaveFormat::Presentation);

    auto reopened = NewHost()->Presentations()->Open(dir / "animated.pptx");
    auto again = reopened->Slides()->Item(1)->TimeLine()->MainSequence();
    ASSERT_EQ(again->Count(), 3);
    again->Item(2)->Delete();
    EXPECT_EQ(again->Count(), 2);
    EXPECT_THROW(again->Item(3), host::HostError);
    for (int j = again->Count(); j >= 1; --j) {
        again->Item(j)->Delete();
    }
    EXPECT_EQ(again->Count(), 0);
    EXPECT_FALSE(reopened->Saved());
    reopened->Save();
    const std::string xml = ZipEntry(dir / "animated.pptx", "ppt/slides/slide1.xml");
    EXPECT_EQ(xml.find("p:timing"), std::string::npos);
    EXPECT_EQ(NewHost()->Presentations()->Open(dir / "animated.pptx")->Slides()->Item(1)->TimeLine()
                  ->MainSequence()->Count(), 0);
}

TEST(TimeLineTest, DeletingAShapeDropsItsEffects)
{
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    auto slide = presentation->Slides()->Add(1, host::SlideLayout::Blank);
    auto keep = slide->Shapes()->AddTextbox(host::TextOrientation::Horizontal, 0, 0, 100, 40);
    auto drop = slide->Shapes()->AddTextbox(host::TextOrientation::Horizontal, 0, 50, 100, 40);
    auto sequence = slide->TimeLine()->MainSequence();
    sequence->AddEffect(keep, host::EffectType::Appear);
    sequence->AddEffect(drop, host::EffectType::Fade);
    drop->Delete();
    EXPECT_EQ(sequence->Count(), 1);
}

// A slide as the presentation program writes it: a main sequence of two
// clicks (the second with two effects), an interactive sequence triggered
// by shape 3 that animates shape 2, and build entries for both.
const char* kAnimatedSlide = R"(<p:sld xmlns:p="p" xmlns:mc="mc"><p:cSld><p:spTree/></p:cSld>
<mc:AlternateContent><mc:Choice Requires="p14"><p:transition spd="slow"><p:wipe/></p:transition></mc:Choice>
<mc:Fallback><p:transition spd="slow"><p:wipe/></p:transition></mc:Fallback></mc:AlternateContent>
<p:timing><p:tnLst><p:par><p:cTn id="1" dur="indefinite" restart="never" nodeType="tmRoot"><p:childTnLst>
<p:seq concurrent="1" nextAc="seek"><p:cTn id="2" dur="indefinite" nodeType="mainSeq"><p:childTnLst>
 <p:par><p:cTn id="3" fill="hold"><p:childTnLst><p:par><p:cTn id="4" fill="hold"><p:childTnLst>
  <p:par><p:cTn id="5" presetID="1" presetClass="entr" grpId="0" nodeType="clickEffect"><p:childTnLst><p:set><p:cBhvr><p:cTn id="6"/><p:tgtEl><p:spTgt spid="2"/></p:tgtEl></p:cBhvr></p:set></p:childTnLst></p:cTn></p:par>
 </p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par>
 <p:par><p:cTn id="7" fill="hold"><p:childTnLst><p:par><p:cTn id="8" fill="hold"><p:childTnLst>
  <p:par><p:cTn id="9" presetID="10" presetClass="exit" grpId="1" nodeType="clickEffect"><p:childTnLst><p:set><p:cBhvr><p:cTn id="10"/><p:tgtEl><p:spTgt spid="2"/></p:tgtEl></p:cBhvr></p:set></p:childTnLst></p:cTn></p:par>
  <p:par><p:cTn id="11" presetID="2" presetClass="emph" grpId="0" nodeType="withEffect"><p:childTnLst><p:set><p:cBhvr><p:cTn id="12"/><p:tgtEl><p:spTgt spid="4"/></p:tgtEl></p:cBhvr></p:set></p:childTnLst></p:cTn></p:par>
 </p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par>
</p:childTnLst></p:cTn></p:seq>
<p:seq concurrent="1" nextAc="seek"><p:cTn id="13" restart="whenNotActive" fill="hold" evtFilter="cancelBubble" nodeType="interactiveSeq"><p:childTnLst>
 <p:par><p:cTn id="14" fill="hold"><p:childTnLst><p:par><p:cTn id="15" fill="hold"><p:childTnLst>
  <p:par><p:cTn id="16" presetID="1" presetClass="entr" grpId="2" nodeType="clickEffect"><p:childTnLst><p:set><p:cBhvr><p:cTn id="17"/><p:tgtEl><p:spTgt spid="2"/></p:tgtEl></p:cBhvr></p:set></p:childTnLst></p:cTn></p:par>
 </p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par>
</p:childTnLst></p:cTn></p:seq>
</p:childTnLst></p:cTn></p:par></p:tnLst>
<p:bldLst><p:bldP spid="2" grpId="0"/><p:bldP spid="2" grpId="1"/><p:bldP spid="2" grpId="2"/><p:bldGraphic spid="4" grpId="0"/></p:bldLst></p:timing></p:sld>)";

std::vector<std::string> Builds(pugi::xml_node slide)
{
    std::vector<std::string> builds;
    for (pugi::xml_node build : slide.child("p:timing").child("p:bldLst").children()) {
        builds.push_back(std::string(build.attribute("spid").value()) + "/" + build.attribute("grpId").value());
    }
    return builds;
}

TEST(TimingTest, DeletingMainEffectsPrunesGroupsAndBuildsButKeepsInteractiveOnes)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(kAnimatedSlide));
    pugi::xml_node slide = document.document_element();
    pugi::xml_node sequence = timing::MainSequence(slide);
    ASSERT_EQ(timing::Effects(sequence).size(), 3u);
    EXPECT_EQ(timing::InteractiveSequenceCount(slide), 1);

    timing::DeleteEffect(slide, timing::Effects(sequence)[1]);
    EXPECT_EQ(Builds(slide), (std::vector<std::string>{"2/0", "2/2", "4/0"}));
    EXPECT_EQ(sequence.child("p:childTnLst").select_nodes("p:par").size(), 2u);

    timing::DeleteEffect(slide, timing::Effects(sequence)[1]);
    EXPECT_EQ(sequence.child("p:childTnLst").select_nodes("p:par").size(), 1u) << "an emptied click group goes";
    EXPECT_EQ(Builds(slide), (std::vector<std::string>{"2/0", "2/2"}));

    timing::DeleteEffect(slide, timing::Effects(sequence)[0]);
    EXPECT_FALSE(timing::MainSequence(slide));
    EXPECT_EQ(timing::InteractiveSequenceCount(slide), 1);
    EXPECT_EQ(Builds(slide), (std::vector<std::string>{"2/2"}));
    EXPECT_EQ(pptx::parts::transition::Kind(slide), "wipe");
}

TEST(TimingTest, TimingGoesWhenNothingRemains)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(R"(<p:sld xmlns:p="p"><p:cSld/><p:clrMapOvr/></p:sld>)"));
    pugi::xml_node slide = document.document_element();
    timing::AddEntrance(slide, 5, timing::Entrance::Fly, true);
    timing::AddEntrance(slide, 6, timing::Entrance::Appear, false);
    EXPECT_EQ(std::string(slide.last_child().name()), "p:timing");
    EXPECT_EQ(Builds(slide), (std::vector<std::string>{"5/0"}));
    std::vector<pugi::xml_node> effects = timing::Effects(timing::MainSequence(slide));
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_STREQ(effects[0].attribute("presetID").value(), "2");
    timing::DeleteEffectsOn(slide, 5);
    timing::DeleteEffectsOn(slide, 6);
    EXPECT_FALSE(slide.child("p:timing"));
}

TEST(TransitionTest, EntryEffectsReadAndWrite)
{
    TempDir dir;
    auto host = NewHost();
    auto presentation = host->Presentations()->Add(false);
    auto slides = presentation->Slides();
    slides->Add(1, host::SlideLayout::Blank);
    slides->Add(2, host::SlideLayout::Blank);
    auto transition = slides->Item(1)->SlideShowTransition();
    EXPECT_EQ(transition->EntryEffect(), host::EntryEffect::None);
    transition->SetEntryEffect(host::EntryEffect::Fade);
    EXPECT_EQ(transition->EntryEffect(), host::EntryEffect::Fade);
    slides->Item(2)->SlideShowTransition()->SetEntryEffect(host::EntryEffect::Push);
    EXPECT_THROW(transition->SetEntryEffect(12345), host::HostError);
    presentation->SaveAs(dir / "transitions.pptx", host::SaveFormat::Presentation);

    auto reopened = NewHost()->Presentations()->Open(dir / "transitions.pptx");
    EXPECT_EQ(reopened->Slides()->Item(1)->SlideShowTransition()->EntryEffect(), host::EntryEffect::Fade);
    EXPECT_EQ(reopened->Slides()->Item(2)->SlideShowTransition()->EntryEffect(), host::EntryEffect::Push);
    reopened->Slides()->Item(2)->SlideShowTransition()->SetEntryEffect(host::EntryEffect::None);
    EXPECT_EQ(reopened->Slides()->Item(2)->SlideShowTransition()->EntryEffect(), host::EntryEffect::None);

    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(kAnimatedSlide));
    pptx::parts::transition::SetKind(document.document_element(), "fade");
    EXPECT_EQ(document.document_element().select_nodes("//p:transition").size(), 1u);
    EXPECT_FALSE(document.document_element().child("mc:AlternateContent"));
    EXPECT_EQ(std::string(document.document_element().child("p:transition").next_sibling().name()), "p:timing");
}

}  // namespace
}  // namespace velmora::testing
