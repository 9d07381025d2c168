#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicFile.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::platform {
namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
}

TEST(AtomicFile, WritesAndReplacesWholeFilesKeepingTheMode)
{
    testing::TempDir dir;
    const auto path = dir / "notes.txt";
    WriteFileAtomically(path, std::string("first\0binary", 12));
    EXPECT_EQ(ReadFile(path), std::string("first\0binary", 12));

    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    WriteFileAtomically(path, "second");
    EXPECT_EQ(ReadFile(path), "second");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"notes.txt"});
}

TEST(AtomicFile, FailureNamesThePathAndLeavesNoTemporaryFile)
{
    testing::TempDir dir;
    std::filesystem::create_directory(dir / "taken");
    std::filesystem::create_directory(dir / "taken" / "inside");
    try {
        WriteFileAtomically(dir / "taken", "text");
        FAIL() << "replacing a folder must fail";
    } catch (const std::system_error& error) {
        EXPECT_NE(std::string(error.what()).find((dir / "taken").string()), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken" / "inside"));
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"taken"});

    EXPECT_THROW(WriteFileAtomically(dir / "missing" / "file.txt", "text"), std::system_error);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"taken"});
}

TEST(AtomicFile, FailedProducerLeavesTheOldFile)
{
    testing::TempDir dir;
    const auto path = dir / "montage.png";
    WriteFileAtomically(path, "old picture");
    std::filesystem::path seen;
    EXPECT_THROW(ProduceFileAtomically(path,
                                       [&seen](const std::filesystem::path& temporary) {
                                           seen = temporary;
                                           std::ofstream(temporary) << "half a pic";
                                           throw std::runtime_error("encoder failed");
                                       }),
                 std::runtime_error);
    EXPECT_EQ(seen.extension(), ".png");
    EXPECT_EQ(seen.parent_path(), dir.path());
    EXPECT_EQ(ReadFile(path), "old picture");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"montage.png"});

    ProduceFileAtomically(path, [](const std::filesystem::path& temporary) {
        std::ofstream(temporary, std::ios::trunc) << "new picture";
    });
    EXPECT_EQ(ReadFile(path), "new picture");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"montage.png"});
}

// A save must not undo what another program saved after the file was read.
TEST(AtomicFile, AFileChangedSinceItWasReadIsNotReplaced)
{
    testing::TempDir dir;
    const auto path = dir / "deck.pptx";
    WriteFileAtomically(path, "as read");
    const auto read = StampOf(path);
    ASSERT_TRUE(read);
    EXPECT_NO_THROW(WriteFileAtomically(path, "ours", read));

    const auto ours = StampOf(path);
    WriteFileAtomically(path, "theirs, saved by rename");
    EXPECT_THROW(WriteFileAtomically(path, "ours again", ours), std::system_error);
    EXPECT_EQ(ReadFile(path), "theirs, saved by rename");

    const auto renamed = StampOf(path);
    std::ofstream(path, std::ios::app) << ", then appended in place";
    try {
        WriteFileAtomically(path, "ours again", renamed);
        ADD_FAILURE() << "a file changed in place was replaced";
    } catch (const std::system_error& error) {
        EXPECT_NE(std::string(error.what()).find("changed since it was read"), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadFile(path), "theirs, saved by rename, then appended in place");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"deck.pptx"});
}

TEST(AtomicFile, WritesThroughSymbolicLinksAndKeepsThem)
{
    testing::TempDir dir;
    std::filesystem::create_directory(dir / "real");
    const auto real = dir / "real" / "deck.pptx";
    WriteFileAtomically(real, "old");
    std::filesystem::create_symlink("real/deck.pptx", dir / "near.pptx");
    std::filesystem::create_symlink(dir / "near.pptx", dir / "far.pptx");

    WriteFileAtomically(dir / "far.pptx", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "far.pptx"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "near.pptx"));
    EXPECT_EQ(ReadFile(real), "new");
    EXPECT_EQ(Names(dir / "real"), std::vector<std::string>{"deck.pptx"});

    // A link to nothing yet: the file is made where it points.
    std::filesystem::create_symlink("real/later.ini", dir / "later.ini");
    WriteFileAtomically(dir / "later.ini", "made");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "later.ini"));
    EXPECT_EQ(ReadFile(dir / "real" / "later.ini"), "made");

    std::filesystem::create_symlink("loop", dir / "loop");
    EXPECT_THROW(WriteFileAtomically(dir / "loop", "x"), std::system_error);
}

TEST(AtomicFile, RefusesWhatIsNoRegularFileOrIsReadOnly)
{
    testing::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_THROW(WriteFileAtomically(dir / "pipe", "x"), std::system_error);
    EXPECT_THROW(WriteFileAtomically("/dev/null", "x"), std::system_error);

    const auto locked = dir / "read-only.pptx";
    WriteFileAtomically(locked, "keep me");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    try {
        WriteFileAtomically(locked, "lost");
        FAIL() << "a read-only file was replaced";
    } catch (const std::system_error& error) {
        EXPECT_NE(std::string(error.what()).find("read-only"), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadFile(locked), "keep me");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"pipe", "read-only.pptx"}));
}

TEST(AtomicFile, NamesNearTheLimitCanBeReplaced)
{
    testing::TempDir dir;
    const auto path = dir / (std::string(250, 'n') + ".pptx");
    WriteFileAtomically(path, "first");
    WriteFileAtomically(path, "second");
    ProduceFileAtomically(path, [](const std::filesystem::path& temporary) {
        EXPECT_LT(temporary.filename().string().size(), 30u);
        std::ofstream(temporary) << "third";
    });
    EXPECT_EQ(ReadFile(path), "third");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{path.filename().string()});
}

// What a writer killed between naming its file and renaming it leaves behind.
TEST(AtomicFile, AbandonedTemporaryFilesGoButLiveOnesStay)
{
    testing::TempDir dir;
    std::ofstream(dir / ".velmora-abc123.tmp") << "abandoned";
    std::ofstream(dir / ".velmora-def456.tmp.png") << "abandoned picture";
    std::ofstream(dir / ".velmora-notours") << "someone else's";
    std::ofstream(dir / ".velmora-ghi789.tmp") << "being written";
    const int live = ::open((dir / ".velmora-ghi789.tmp").c_str(), O_RDONLY);
    ASSERT_GE(live, 0);
    // Another open file description, as another process would hold.
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    WriteFileAtomically(dir / "deck.pptx", "saved");
    ::close(live);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{".velmora-ghi789.tmp", ".velmora-notours", "deck.pptx"}));
}

}  // namespace
}  // namespace velmora::platform
