#include <csignal>
#include <fstream>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FileInUse.hpp"
#include "tests/support/LibreOffice.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::platform {
namespace {

// A child process that holds a write lock on `file` (as an office program
// does on an open document) until the returned pipe is closed.
struct LockingChild {
    pid_t pid = -1;
    int release = -1;

    explicit LockingChild(const std::filesystem::path& file)
    {
        int ready[2];
        int hold[2];
        if (::pipe(ready) != 0 || ::pipe(hold) != 0) {
            return;
        }
        pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]);
            ::close(hold[1]);
            const int fd = ::open(file.c_str(), O_RDWR);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            const char status = (fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0) ? 'y' : 'n';
            (void)::write(ready[1], &status, 1);
            char ignored;
            (void)::read(hold[0], &ignored, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(hold[0]);
        char status = 'n';
        EXPECT_EQ(::read(ready[0], &status, 1), 1);
        EXPECT_EQ(status, 'y');
        ::close(ready[0]);
        release = hold[1];
    }
    ~LockingChild()
    {
        ::close(release);
        ::waitpid(pid, nullptr, 0);
    }
};

TEST(FileInUse, FreeAndMissingFilesAreNotInUse)
{
    testing::TempDir dir;
    std::ofstream(dir / "deck.pptx") << "deck";
    EXPECT_FALSE(InUseBy(dir / "deck.pptx"));
    EXPECT_FALSE(InUseBy(dir / "missing.pptx"));
    EXPECT_FALSE(InUseBy(dir.path()));
}

TEST(FileInUse, AnOfficeLockFileBesideTheFileOrItsLinkCounts)
{
    testing::TempDir dir;
    std::filesystem::create_directory(dir / "real");
    std::ofstream(dir / "real" / "deck.pptx") << "deck";
    std::ofstream(dir / "real" / ".~lock.deck.pptx#") << ",someone,host,01.01.2024 10:00,someone;";
    const auto holder = InUseBy(dir / "real" / "deck.pptx");
    ASSERT_TRUE(holder);
    EXPECT_NE(holder->find(".~lock.deck.pptx#"), std::string::npos) << *holder;

    std::filesystem::create_symlink("real/deck.pptx", dir / "link.pptx");
    EXPECT_TRUE(InUseBy(dir / "link.pptx"));
    // Only the lock of this very name counts.
    std::ofstream(dir / "other.pptx") << "deck";
    EXPECT_FALSE(InUseBy(dir / "other.pptx"));
}

TEST(FileInUse, LocksOfOtherProcessesCount)
{
    testing::TempDir dir;
    const auto file = dir / "deck.pptx";
    std::ofstream(file) << "deck";
    {
        const LockingChild child(file);
        const auto holder = InUseBy(file);
        ASSERT_TRUE(holder);
        EXPECT_NE(holder->find("lock"), std::string::npos);
    }
    EXPECT_FALSE(InUseBy(file));

    const int other = ::open(file.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    EXPECT_TRUE(InUseBy(file));
    ::close(other);
    EXPECT_FALSE(InUseBy(file));
}

// A program named as LibreOffice's that keeps `file` open, as LibreOffice
// keeps the documents it edits.
struct OfficeHoldingOpen {
    pid_t pid = -1;

    OfficeHoldingOpen(const std::filesystem::path& folder, const std::filesystem::path& file)
    {
        const auto office = folder / "soffice.bin";
        std::filesystem::copy_file("/bin/sleep", office);
        pid = ::fork();
        if (pid == 0) {
            const int fd = ::open(file.c_str(), O_RDONLY);
            if (fd >= 0) {
                ::execl(office.c_str(), "soffice.bin", "60", static_cast<char*>(nullptr));
            }
            ::_exit(127);
        }
        // Until the exec has happened, the process has another name.
        for (int wait = 0; wait < 200 && Name() != "soffice.bin"; ++wait) {
            ::usleep(10'000);
        }
    }
    ~OfficeHoldingOpen()
    {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    std::string Name() const
    {
        std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
        std::string name;
        std::getline(in, name);
        return name;
    }
};

// A lock file of this host whose LibreOffice no longer has the file open is
// left from a crash; one of another host, or with the file still open, is not.
TEST(FileInUse, AnOfficeLockFileOfThisHostCountsOnlyWhileLibreOfficeHasTheFileOpen)
{
    testing::TempDir dir;
    const auto deck = dir / "deck.pptx";
    std::ofstream(deck) << "deck";
    std::ofstream(dir / ".~lock.deck.pptx#") << velmora::testing::OfficeLockLine(velmora::testing::LocalHostName());
    EXPECT_FALSE(InUseBy(deck));
    {
        const OfficeHoldingOpen office(dir.path(), deck);
        ASSERT_EQ(office.Name(), "soffice.bin");
        EXPECT_TRUE(InUseBy(deck));
    }
    EXPECT_FALSE(InUseBy(deck));
    std::ofstream(dir / ".~lock.deck.pptx#", std::ios::trunc) << velmora::testing::OfficeLockLine("another-host");
    EXPECT_TRUE(InUseBy(deck));
    std::ofstream(dir / ".~lock.deck.pptx#", std::ios::trunc) << "not a lock line";
    EXPECT_TRUE(InUseBy(deck));
}

}  // namespace
}  // namespace velmora::platform
