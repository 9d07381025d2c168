#include <string>
#include <vector>

#include <sys/stat.h>

#include "platform/TextEncoding.hpp"
#include "tests/cli/VelmoraFixture.hpp"

namespace velmora::testing {
namespace {

using BatchTest = VelmoraTest;

TEST_F(BatchTest, EveryFileIsRunAndAFailureStopsNoOther)
{
    const std::filesystem::path first = MakeDeckWithNotes("first.pptx", {"a", "b"});
    const std::filesystem::path broken = dir_ / "broken.pptx";
    WriteBytes(broken, "not a presentation");
    const std::filesystem::path last = MakeDeckWithNotes("last.pptx", {"c"});

    const ProcessResult outcome =
        Velmora({"run", "RemoveAnimation_All_Main", first.string(), broken.string(), last.string(), "--json"});
    EXPECT_EQ(outcome.status, 2) << "the worst of 0, 2 and 0";
    const std::vector<std::string> transcripts = Lines(outcome.out);
    ASSERT_EQ(transcripts.size(), 3u) << outcome.out;
    EXPECT_TRUE(Contains(transcripts[0], "\"file\":\"" + first.string() + "\""));
    EXPECT_TRUE(Contains(transcripts[0], "\"exitStatus\":0"));
    EXPECT_TRUE(Contains(transcripts[1], "\"exitStatus\":2"));
    EXPECT_TRUE(Contains(transcripts[2], "\"exitStatus\":0"));
    EXPECT_EQ(ReadBytes(broken), "not a presentation");
    for (const auto& deck : {first, last}) {
        auto presentation = decks_.Open(deck);
        EXPECT_EQ(presentation->Slides()->Item(1)->TimeLine()->MainSequence()->Count(), 0) << deck;
    }
}

TEST_F(BatchTest, AnswersApplyToEachFileAndMessagesNameTheFile)
{
    const std::filesystem::path first = MakeDeckWithNotes("first.pptx", {"a", "b"});
    const std::filesystem::path second = MakeDeckWithNotes("second.pptx", {"c", "d"});
    const ProcessResult outcome =
        Velmora({"run", "SplitDoc_fromhere_Main", first.string(), second.string(), "--slide", "2", "--answer", "no"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(Contains(outcome.out, first.string() + ":\n")) << outcome.out;
    EXPECT_TRUE(Contains(outcome.out, second.string() + ":\n")) << outcome.out;
    for (const auto& deck : {first, second}) {
        EXPECT_EQ(decks_.Open(deck)->Slides()->Count(), 1) << deck;
    }
    EXPECT_TRUE(std::filesystem::exists(dir_ / "second-拆分文档.pptx"));
}

using MessagesTest = VelmoraTest;

TEST_F(MessagesTest, WhatStandsInsteadOfAFileIsNamed)
{
    std::filesystem::create_directory(dir_ / "folder.pptx");
    ASSERT_EQ(mkfifo((dir_ / "pipe.pptx").c_str(), 0600), 0);
    const ProcessResult folder = Velmora({"run", "About_Click", (dir_ / "folder.pptx").string()});
    EXPECT_EQ(folder.status, 2);
    EXPECT_TRUE(Contains(folder.err, "folder.pptx: is a directory")) << folder.err;
    const ProcessResult pipe = Velmora({"run", "About_Click", (dir_ / "pipe.pptx").string()});
    EXPECT_EQ(pipe.status, 2);
    EXPECT_TRUE(Contains(pipe.err, "pipe.pptx: is a pipe")) << pipe.err;
}

TEST_F(MessagesTest, AFileThatCannotBeOpenedIsNamedOnce)
{
    const std::filesystem::path broken = dir_ / "broken.pptx";
    WriteBytes(broken, "not a presentation");
    const ProcessResult outcome = Velmora({"run", "About_Click", broken.string()});
    EXPECT_EQ(outcome.status, 2);
    const std::string& err = outcome.err;
    EXPECT_TRUE(Contains(err, "cannot open " + broken.string() + ": ")) << err;
    EXPECT_EQ(err.find("broken.pptx"), err.rfind("broken.pptx")) << err;
}

TEST_F(MessagesTest, ASaveThatFailsSaysNothingWasSaved)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"a"});
    const std::string before = ReadBytes(deck);
    // A folder nobody may write in, not even root; a missing one is refused before the run.
    const std::filesystem::path out = "/proc/self/out.pptx";
    const ProcessResult outcome = Velmora({"run", "DeleteComment_All_Main", deck.string(), "-o", out.string()});
    EXPECT_EQ(outcome.status, 3);
    EXPECT_TRUE(Contains(outcome.err, "DeleteComment_All_Main ran, but nothing was saved: " + out.string()))
        << outcome.err;
    EXPECT_EQ(ReadBytes(deck), before);
}

using TextFileTest = VelmoraTest;

// The notes file of the one export in the test's folder.
std::string NotesFile(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt") {
            const std::string bytes = ReadBytes(entry.path());
            std::filesystem::remove(entry.path());
            return bytes;
        }
    }
    return "";
}

TEST_F(TextFileTest, NotesAreWrittenInTheLegacyCodePageUnlessToldOtherwise)
{
    const std::filesystem::path deck = MakeDeckWithNotes("deck.pptx", {"中文备注 €"});
    ASSERT_EQ(Velmora({"run", "ExportComment_All_Main", deck.string()}).status, 0);
    const std::string legacy = NotesFile(dir_.path());
    EXPECT_TRUE(Contains(legacy, platform::ToCodePage("中文备注 €\r\n", "GB18030"))) << legacy;
    EXPECT_FALSE(Contains(legacy, "中文"));

    ASSERT_EQ(Velmora({"run", "ExportComment_All_Main", deck.string()}, {{"VELMORA_CODEPAGE", "UTF-8"}}).status, 0);
    EXPECT_TRUE(Contains(NotesFile(dir_.path()), "中文备注 €\r\n"));
}

}  // namespace
}  // namespace velmora::testing
