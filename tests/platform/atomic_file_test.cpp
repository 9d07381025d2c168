#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include <gtest/gtest.h>
#include <sys/stat.h>

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

}  // namespace
}  // namespace velmora::platform
