#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FileSettingsStore.hpp"
#include "platform/IniDocument.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::platform {
namespace {

constexpr const char* kApp = "Orvaldi-VelmoraV2.0";

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(FileSettingsStore, MissingFileOrKeyGivesTheDefault)
{
    testing::TempDir dir;
    FileSettingsStore store(dir / "none" / "settings.ini");
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "Key", "fallback"), "fallback");
    store.SaveSetting(kApp, "Settings", "Other", "1");
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "Key", "fallback"), "fallback");
    EXPECT_EQ(store.GetSetting(kApp, "Settings-myColor", "Other", "d"), "d");
    EXPECT_EQ(store.GetSetting("OtherApp", "Settings", "Other", "d"), "d");
}

TEST(FileSettingsStore, AnyTextRoundTrips)
{
    testing::TempDir dir;
    FileSettingsStore store(dir / "settings.ini");
    const std::string values[] = {
        "two\nlines", "cr\r\nlf", "a=b=c", "  leading blanks", "trailing blanks \t", "100%", "%41 is not A",
        "[not a header]", "; not a comment", "中文字体", "", "back\\slash", "tab\tinside",
    };
    int n = 0;
    for (const std::string& value : values) {
        store.SaveSetting(kApp, "Settings", "Key" + std::to_string(n++), value);
    }
    store.SaveSetting(kApp, "odd]section\\name", "key=with[specials]", "v");

    FileSettingsStore reopened(dir / "settings.ini");
    n = 0;
    for (const std::string& value : values) {
        EXPECT_EQ(reopened.GetSetting(kApp, "Settings", "Key" + std::to_string(n++), "?"), value);
    }
    EXPECT_EQ(reopened.GetSetting(kApp, "odd]section\\name", "key=with[specials]"), "v");
}

TEST(FileSettingsStore, OverwritesInPlaceAndComparesNamesWithoutCase)
{
    testing::TempDir dir;
    FileSettingsStore store(dir / "settings.ini");
    store.SaveSetting(kApp, "Settings", "FormWidth", "4720");
    store.SaveSetting(kApp, "SETTINGS", "formwidth", "10020");
    EXPECT_EQ(store.GetSetting(kApp, "settings", "FORMWIDTH"), "10020");
    const std::string text = ReadFile(store.Path());
    EXPECT_EQ(text.find("4720"), std::string::npos);
    EXPECT_EQ(text.find("10020"), text.rfind("10020"));
}

TEST(FileSettingsStore, GarbageLinesAreIgnoredAndKept)
{
    testing::TempDir dir;
    const auto path = dir / "settings.ini";
    WriteFile(path,
              "orphan=before any section\r\n"
              "[Orvaldi-VelmoraV2.0\\Settings]\r\n"
              "GradMode=3\r\n"
              "this line means nothing\r\n"
              "=no key\r\n"
              "  Spaced  =  padded value  \r\n"
              "[broken header\n"
              "Lost=1\n"
              "[Orvaldi-VelmoraV2.0\\Settings-myColor]\n"
              "DispColor=255\n"
              "\x01\x02 binary junk\n");
    FileSettingsStore store(path);
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "GradMode"), "3");
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "Spaced"), "padded value");
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "Lost", "d"), "d");
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "orphan", "d"), "d");
    EXPECT_EQ(store.GetSetting(kApp, "Settings-myColor", "DispColor"), "255");

    store.SaveSetting(kApp, "Settings", "GradDeep", "0.5");
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "GradDeep"), "0.5");
    EXPECT_EQ(store.GetSetting(kApp, "Settings-myColor", "DispColor"), "255");
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("this line means nothing"), std::string::npos);
    EXPECT_NE(text.find("\x01\x02 binary junk"), std::string::npos);
    // The new key joins its own section, not whatever block comes last.
    EXPECT_LT(text.find("GradDeep"), text.find("[broken header"));
}

TEST(FileSettingsStore, ByteOrderMarkIsReadAndKept)
{
    testing::TempDir dir;
    const auto path = dir / "settings.ini";
    WriteFile(path, "\xEF\xBB\xBF[Orvaldi-VelmoraV2.0\\Settings]\r\nGradMode=3\r\n");
    FileSettingsStore store(path);
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "GradMode"), "3");
    store.SaveSetting(kApp, "Settings", "GradMode", "4");
    const std::string text = ReadFile(path);
    EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u) << "the mark stays first";
    EXPECT_EQ(text.find("[Orvaldi"), text.rfind("[Orvaldi")) << "one section, not a second one";
    EXPECT_EQ(FileSettingsStore(path).GetSetting(kApp, "Settings", "GradMode"), "4");
}

// Found by fuzzing: a broken header holding "=" was taken for an entry, so
// a new key went behind it and was lost when the file was read again.
TEST(FileSettingsStore, ANewKeyStaysInItsSectionBeforeABrokenHeader)
{
    testing::TempDir dir;
    const auto path = dir / "settings.ini";
    WriteFile(path, "[Orvaldi-VelmoraV2.0\\Font]\nFSize=12\n[Orvaldi-VelmoraV2.0\\Palette DispColor=255\n");
    FileSettingsStore(path).SaveSetting(kApp, "Font", "ComboBox1", "宋体");
    EXPECT_EQ(FileSettingsStore(path).GetSetting(kApp, "Font", "ComboBox1"), "宋体");
    EXPECT_NE(ReadFile(path).find("[Orvaldi-VelmoraV2.0\\Palette DispColor=255"), std::string::npos);
}

TEST(FileSettingsStore, UnwritableFolderNeverThrows)
{
    testing::TempDir dir;
    WriteFile(dir / "file", "not a folder");
    FileSettingsStore store(dir / "file" / "settings.ini");
    EXPECT_NO_THROW(store.SaveSetting(kApp, "Settings", "Key", "value"));
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "Key", "default"), "default");
}

TEST(FileSettingsStore, UnreadableFileIsNeverReplaced)
{
    testing::TempDir dir;
    std::filesystem::create_directory(dir / "settings.ini");
    FileSettingsStore store(dir / "settings.ini");
    EXPECT_NO_THROW(store.SaveSetting(kApp, "Settings", "Key", "value"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "settings.ini"));
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "Key", "default"), "default");
}

// A pipe or device named as the settings file is neither waited on nor replaced.
TEST(FileSettingsStore, AFileThatIsNoRegularFileIsRefusedWithoutBlocking)
{
    testing::TempDir dir;
    const auto pipe = dir / "settings.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const auto& path : {pipe, std::filesystem::path("/dev/zero")}) {
        FileSettingsStore store(path);
        EXPECT_EQ(store.GetSetting(kApp, "Settings", "usetime", "0"), "0") << path;
        store.SaveSetting(kApp, "Settings", "usetime", "1");
        EXPECT_EQ(store.UpdateSetting(kApp, "Settings", "usetime", "0", [](const std::string&) { return "2"; }), "0");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

// Each process adds one to a counter many times over: every addition
// counts, as each reads and writes under one lock.
TEST(FileSettingsStore, UpdatesFromProcessesAtOnceAllCount)
{
    testing::TempDir dir;
    const auto path = dir / "settings.ini";
    constexpr int kProcesses = 4;
    constexpr int kUpdates = 50;
    const auto addOne = [](const std::string& stored) { return std::to_string(std::stoi(stored) + 1); };
    std::vector<pid_t> children;
    for (int i = 0; i < kProcesses; ++i) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FileSettingsStore store(path);
            for (int update = 0; update < kUpdates; ++update) {
                store.UpdateSetting(kApp, "Settings", "usetime", "0", addOne);
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    FileSettingsStore store(path);
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "usetime"), std::to_string(kProcesses * kUpdates));
    EXPECT_EQ(store.UpdateSetting(kApp, "Settings", "usetime", "0", addOne), std::to_string(kProcesses * kUpdates));
    // Inside a batch the update waits for the batch's end, as its saves do.
    {
        const host::SettingsBatch batch(store);
        store.UpdateSetting(kApp, "Settings", "usetime", "0", addOne);
        EXPECT_EQ(FileSettingsStore(path).GetSetting(kApp, "Settings", "usetime"),
                  std::to_string(kProcesses * kUpdates + 1));
    }
    EXPECT_EQ(store.GetSetting(kApp, "Settings", "usetime"), std::to_string(kProcesses * kUpdates + 2));
}

TEST(FileSettingsStore, TwoProcessesWritingAtOnceLoseNoKey)
{
    testing::TempDir dir;
    const auto path = dir / "settings.ini";
    constexpr int kKeys = 1000;
    auto writeKeys = [&path](const std::string& prefix) {
        FileSettingsStore store(path);
        for (int i = 0; i < kKeys; ++i) {
            store.SaveSetting(kApp, "Settings", prefix + std::to_string(i), std::to_string(i));
        }
    };

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writeKeys("child");
        _exit(0);
    }
    writeKeys("parent");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    FileSettingsStore store(path);
    int missing = 0;
    for (int i = 0; i < kKeys; ++i) {
        missing += store.GetSetting(kApp, "Settings", "child" + std::to_string(i)) != std::to_string(i);
        missing += store.GetSetting(kApp, "Settings", "parent" + std::to_string(i)) != std::to_string(i);
    }
    EXPECT_EQ(missing, 0);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_TRUE(entry.path().filename() == "settings.ini" || entry.path().filename() == "settings.ini.lock")
            << entry.path();
    }
}

TEST(FileSettingsStore, ABatchIsWrittenOnceAtItsEndAndReadBeforeIt)
{
    testing::TempDir dir;
    const auto path = dir / "settings.ini";
    FileSettingsStore store(path);
    store.SaveSetting(kApp, "Font", "FSize", "12");
    const std::string before = ReadFile(path);
    {
        const host::SettingsBatch outer(store);
        store.SaveSetting(kApp, "Font", "FSize", "14");
        {
            const host::SettingsBatch inner(store);
            store.SaveSetting(kApp, "Font", "ComboBox1", "宋体");
        }
        EXPECT_EQ(ReadFile(path), before);
        EXPECT_EQ(store.GetSetting(kApp, "Font", "fsize"), "14");
        EXPECT_EQ(FileSettingsStore(path).GetSetting(kApp, "Font", "FSize"), "12");
    }
    FileSettingsStore reopened(path);
    EXPECT_EQ(reopened.GetSetting(kApp, "Font", "FSize"), "14");
    EXPECT_EQ(reopened.GetSetting(kApp, "Font", "ComboBox1"), "宋体");
}

// Two dialogs closing at once: the file holds one dialog's settings or the
// other's, never some keys of each.
TEST(FileSettingsStore, ConcurrentBatchesNeverMix)
{
    testing::TempDir dir;
    const auto path = dir / "settings.ini";
    constexpr int kKeys = 30;
    constexpr int kRounds = 60;
    auto writeBatches = [&path](const std::string& writer) {
        FileSettingsStore store(path);
        for (int round = 0; round < kRounds; ++round) {
            const host::SettingsBatch batch(store);
            for (int key = 0; key < kKeys; ++key) {
                store.SaveSetting(kApp, "Font", "Key" + std::to_string(key), writer);
            }
        }
    };
    auto mixed = [&path] {
        const IniDocument document(ReadFile(path));
        const auto first = document.Find(kApp, "Font", "Key0");
        for (int key = 1; key < kKeys; ++key) {
            if (document.Find(kApp, "Font", "Key" + std::to_string(key)) != first) {
                return true;
            }
        }
        return false;
    };

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        writeBatches("child");
        _exit(0);
    }
    int mixes = 0;
    FileSettingsStore store(path);
    for (int round = 0; round < kRounds; ++round) {
        {
            const host::SettingsBatch batch(store);
            for (int key = 0; key < kKeys; ++key) {
                store.SaveSetting(kApp, "Font", "Key" + std::to_string(key), "parent");
            }
        }
        mixes += mixed();
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(mixes + mixed(), 0);
}

TEST(FileSettingsStore, ALinkedSettingsFileStaysALink)
{
    testing::TempDir dir;
    std::filesystem::create_directory(dir / "dotfiles");
    WriteFile(dir / "dotfiles" / "velmora.ini", "");
    std::filesystem::create_symlink(dir / "dotfiles" / "velmora.ini", dir / "settings.ini");
    FileSettingsStore store(dir / "settings.ini");
    store.SaveSetting(kApp, "Settings", "Mark", "mine");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "settings.ini"));
    EXPECT_NE(ReadFile(dir / "dotfiles" / "velmora.ini").find("Mark=mine"), std::string::npos);
    EXPECT_EQ(FileSettingsStore(dir / "settings.ini").GetSetting(kApp, "Settings", "Mark"), "mine");
}

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value == nullptr ? unsetenv(name) : setenv(name, value, 1);
    }
    ~ScopedEnvironment() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(FileSettingsStore, DefaultPathFollowsTheEnvironment)
{
    {
        ScopedEnvironment settings("VELMORA_SETTINGS", "/somewhere/my.ini");
        EXPECT_EQ(FileSettingsStore::DefaultPath(), "/somewhere/my.ini");
    }
    ScopedEnvironment settings("VELMORA_SETTINGS", nullptr);
    ScopedEnvironment home("HOME", "/home/someone");
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(FileSettingsStore::DefaultPath(), "/cfg/Orvaldi-VelmoraV2.0/settings.ini");
    }
    ScopedEnvironment config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(FileSettingsStore::DefaultPath(), "/home/someone/.config/Orvaldi-VelmoraV2.0/settings.ini");
}

}  // namespace
}  // namespace velmora::platform
