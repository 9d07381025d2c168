// The LibreOffice profile kept between runs, and what a run leaves of the
// user's own files.
#include "render/OfficeProfile.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/render/SampleDeck.hpp"
#include "tests/support/Process.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::render {
namespace {

using ::testing::HasSubstr;
using velmora::testing::TempDir;

std::string Contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Registry(const std::filesystem::path& profile)
{
    return Contents(profile / "user" / "registrymodifications.xcu");
}

int Occurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Every file below `folder` with its contents.
std::map<std::string, std::string> Tree(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        files[std::filesystem::relative(entry.path(), folder).string()] =
            entry.is_regular_file() ? Contents(entry.path()) : "";
    }
    return files;
}

class OfficeProfileTest : public ::testing::Test {
protected:
    OfficeProfileTest()
    {
        std::filesystem::create_directory(first_);
        std::filesystem::create_directory(second_);
    }

    TempDir folder_;
    std::filesystem::path cache_ = folder_ / "cache";
    std::filesystem::path first_ = folder_ / "work1";
    std::filesystem::path second_ = folder_ / "work2";
};

TEST_F(OfficeProfileTest, KeptProfileIsLockedAndARendererAtTheSameTimeGetsAPrivateCopy)
{
    {
        const OfficeProfile kept(cache_, first_);
        EXPECT_TRUE(kept.Kept());
        EXPECT_EQ(kept.Path(), OfficeProfile::InCache(cache_));
        EXPECT_THAT(Registry(kept.Path()), HasSubstr("BlockUntrustedRefererLinks"));
        std::ofstream(kept.Path() / "user" / "made-by-libreoffice") << "state";

        const OfficeProfile meanwhile(cache_, second_);
        EXPECT_FALSE(meanwhile.Kept());
        EXPECT_EQ(meanwhile.Path(), second_ / "profile");
        EXPECT_EQ(Contents(meanwhile.Path() / "user" / "made-by-libreoffice"), "state");
    }
    const OfficeProfile later(cache_, second_);
    EXPECT_TRUE(later.Kept());
    EXPECT_EQ(Contents(later.Path() / "user" / "made-by-libreoffice"), "state");
}

TEST_F(OfficeProfileTest, OurSettingsJoinWhatLibreOfficeWroteAndUndoWhatItChanged)
{
    const std::filesystem::path user = OfficeProfile::InCache(cache_) / "user";
    std::filesystem::create_directories(user);
    std::ofstream(user / "registrymodifications.xcu")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\">\n"
           "<item oor:path=\"/org.openoffice.Setup/Office\"><prop oor:name=\"ooSetupInstCompleted\" oor:op=\"fuse\">"
           "<value>true</value></prop></item>\n"
           // As LibreOfficeKit leaves it.
           "<item oor:path=\"/org.openoffice.Office.Common/Security/Scripting\"><prop oor:name=\"MacroSecurityLevel\" "
           "oor:op=\"fuse\"><value>1</value></prop></item>\n</oor:items>\n";
    for (int run = 0; run < 2; ++run) {
        const OfficeProfile profile(cache_, first_);
        const std::string registry = Registry(profile.Path());
        EXPECT_EQ(Occurrences(registry, "ooSetupInstCompleted"), 1);
        EXPECT_EQ(Occurrences(registry, "BlockUntrustedRefererLinks"), 1);
        EXPECT_EQ(Occurrences(registry, "ooInetProxyType"), 1);
        EXPECT_EQ(Occurrences(registry, "MacroSecurityLevel"), 1);
        EXPECT_THAT(registry, HasSubstr("\"MacroSecurityLevel\" oor:op=\"fuse\"><value>3</value>"));
        EXPECT_EQ(Occurrences(registry, "</oor:items>"), 1);
    }
}

// Without it, every start of LibreOffice without a window counts as its
// first since an upgrade; an upgrade of LibreOffice must update it too.
TEST_F(OfficeProfileTest, TheInstalledVersionIsNamedTheLastToHaveRun)
{
    const std::filesystem::path install = folder_ / "program";
    std::filesystem::create_directory(install);
    std::ofstream(install / "bootstraprc") << "[Bootstrap]\nProductKey=LibreOffice 7.3\nInstallMode=<installmode>\n";
    const std::string item = R"(<prop oor:name="ooSetupLastVersion" oor:op="fuse"><value>)";
    { const OfficeProfile profile(cache_, first_, install); }
    EXPECT_THAT(Registry(OfficeProfile::InCache(cache_)), HasSubstr(item + "7.3</value>"));

    std::ofstream(install / "bootstraprc") << "[Bootstrap]\nProductKey=LibreOffice 7.4\n";
    for (int run = 0; run < 2; ++run) {
        const OfficeProfile profile(cache_, first_, install);
        const std::string registry = Registry(profile.Path());
        EXPECT_THAT(registry, HasSubstr(item + "7.4</value>"));
        EXPECT_EQ(Occurrences(registry, "ooSetupLastVersion"), 1);
        EXPECT_EQ(Occurrences(registry, "BlockUntrustedRefererLinks"), 1);
    }

    // Unknown without the file: what LibreOffice wrote stays.
    const OfficeProfile unknown(cache_, first_, folder_ / "nowhere");
    EXPECT_THAT(Registry(unknown.Path()), HasSubstr(item + "7.4</value>"));
}

TEST_F(OfficeProfileTest, UnusableCacheOrNoneGivesAFreshPrivateProfile)
{
    std::ofstream(folder_ / "not-a-folder") << "file";
    const OfficeProfile blocked(folder_ / "not-a-folder", first_);
    EXPECT_FALSE(blocked.Kept());
    EXPECT_EQ(blocked.Path(), first_ / "profile");
    EXPECT_THAT(Registry(blocked.Path()), HasSubstr("DisableMacrosExecution"));

    const OfficeProfile none({}, second_);
    EXPECT_FALSE(none.Kept());
    EXPECT_THAT(Registry(none.Path()), HasSubstr("BlockUntrustedRefererLinks"));
}

TEST(OfficeProfileRun, ProfileGoesToTheCacheFolderAndTheUsersFontFilesStayAsTheyWere)
{
    const TempDir folder;
    const std::filesystem::path home = folder / "home";
    const std::filesystem::path config = home / ".config";
    std::filesystem::create_directories(config / "fontconfig");
    std::ofstream(config / "fontconfig" / "fonts.conf") << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    const auto before = Tree(config);
    const std::filesystem::path deck =
        testing::WriteSampleDeck(folder.path(), "deck", {testing::SampleSlide{{}, "宋体 text", false, "宋体"}});

    const std::map<std::string, std::string> environment{
        {"HOME", home.string()}, {"XDG_CONFIG_HOME", config.string()}, {"XDG_CACHE_HOME", (home / ".cache").string()}};
    for (int run = 0; run < 2; ++run) {
        const auto result = testing::RunProcess(
            {VELMORA_INTERRUPTED_EXPORT, "soffice", deck.string(), (folder / "slide.png").string(), "--kept-profile"},
            std::chrono::seconds(180), environment);
        ASSERT_EQ(result.status, 0) << result.err;
    }
    EXPECT_TRUE(std::filesystem::exists(folder / "slide.png"));
    EXPECT_THAT(Registry(OfficeProfile::InCache(home / ".cache" / "velmora")), HasSubstr("BlockUntrustedRefererLinks"));
    EXPECT_EQ(Tree(config), before);
}

}  // namespace
}  // namespace velmora::render
