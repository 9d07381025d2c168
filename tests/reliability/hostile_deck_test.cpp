#include "tests/reliability/ReliabilityFixture.hpp"
#include "tests/support/PackageEdit.hpp"

namespace velmora::testing {
namespace {

std::string Repeated(const std::string& text, int times)
{
    std::string out;
    out.reserve(text.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

void ReplaceBetween(std::string& xml, const std::string& open, const std::string& close, const std::string& with)
{
    const std::size_t start = xml.find(open);
    const std::size_t end = xml.find(close, start);
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    xml.replace(start, end + close.size() - start, with);
}

using HostileDeckTest = ReliabilityTest;

// Each walk over a deep tree once overflowed the stack (exit 139).
TEST_F(HostileDeckTest, DeepTimingTreesAndGroupsAreRefusedNamingThePart)
{
    const auto timing = MakeDeck("timing.pptx");
    EditSlide(timing, [](std::string& xml) {
        ReplaceBetween(xml, "<p:timing>", "</p:timing>",
                       "<p:timing><p:tnLst>" + Repeated("<p:par><p:cTn id=\"1\"><p:childTnLst>", 25000) +
                           Repeated("</p:childTnLst></p:cTn></p:par>", 25000) + "</p:tnLst></p:timing>");
    });
    const auto groups = MakeDeck("groups.pptx");
    EditSlide(groups, [](std::string& xml) {
        xml.insert(xml.find("</p:spTree>"), Repeated("<p:grpSp>", 50000) + Repeated("</p:grpSp>", 50000));
    });

    for (const auto& [deck, command] : {std::pair{timing, "RemoveAnimation_All_Main"},
                                        std::pair{groups, "setFont_main"}}) {
        const std::string before = ReadBytes(deck);
        const ProcessResult outcome = Velmora({"run", command, deck.string()});
        EXPECT_EQ(outcome.status, 3) << command << ": " << outcome.err;
        EXPECT_NE(outcome.err.find("ppt/slides/slide1.xml"), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find("levels deep"), std::string::npos) << outcome.err;
        EXPECT_EQ(ReadBytes(deck), before) << command;
    }
}

TEST_F(HostileDeckTest, ImpossibleSlideSizesAreRefusedWhenTheDeckOpens)
{
    for (const std::string size : {"cx=\"9144000\" cy=\"0\"", "cx=\"-5\" cy=\"6858000\"",
                                    "cx=\"99999999999\" cy=\"6858000\"", "cx=\"abc\" cy=\"6858000\"",
                                    "cx=\"9144000\" cy=\"\""}) {
        const auto deck = MakeDeck("size.pptx");
        std::string xml = ReadEntry(deck, "ppt/presentation.xml").value();
        ReplaceBetween(xml, "<p:sldSz", "/>", "<p:sldSz " + size + "/>");
        WriteEntry(deck, "ppt/presentation.xml", xml);
        const ProcessResult outcome = Velmora({"run", "ExportPic_main", deck.string()});
        EXPECT_EQ(outcome.status, 2) << size << ": " << outcome.err;
        EXPECT_NE(outcome.err.find("slide size"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out.find("2147483648"), std::string::npos) << outcome.out;
        EXPECT_EQ(outcome.err.find("Error Area"), std::string::npos) << outcome.err;
    }
}

// Readers disagree on which of two entries for one part is the part: the
// notes were deleted from one while the other, which other programs read, kept them.
TEST_F(HostileDeckTest, TwoEntriesForOnePartAreRefusedAndNothingIsWritten)
{
    const std::string notes = "ppt/notesSlides/notesSlide1.xml";
    for (const std::string& spelling : {notes, std::string("ppt/notesSlides/NotesSlide1.xml")}) {
        const auto deck = MakeDeck("twice.pptx");
        AddDuplicateEntry(deck, spelling, ReadEntry(deck, notes).value());
        const std::string before = ReadBytes(deck);
        const auto names = Names();
        const ProcessResult outcome = Velmora({"run", "DeleteComment_All_Main", deck.string()});
        EXPECT_EQ(outcome.status, 2) << spelling << ": " << outcome.err;
        EXPECT_NE(outcome.err.find("/ppt/notesSlides/"), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find("twice"), std::string::npos) << outcome.err;
        EXPECT_EQ(ReadBytes(deck), before);
        EXPECT_EQ(Names(), names);
        std::filesystem::remove(deck);
    }
}

// The picture is drawn from a private copy; a part found broken there is
// the user's deck's part.
TEST_F(HostileDeckTest, ABrokenPartFoundWhileDrawingIsNamedInTheUsersDeck)
{
    const auto deck = MakeDeck("broken.pptx");
    WriteEntry(deck, "ppt/theme/theme1.xml", "<a:theme><a:themeElements>");
    const ProcessResult outcome = Velmora({"run", "ExportPic_main", deck.string()});
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_NE(outcome.err.find("ppt/theme/theme1.xml in " + deck.string()), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find("velmora-pictures"), std::string::npos) << outcome.err;
}

}  // namespace
}  // namespace velmora::testing
