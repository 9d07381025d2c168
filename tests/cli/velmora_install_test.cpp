#include <string>
#include <vector>

#include "tests/cli/VelmoraFixture.hpp"

namespace velmora::testing {
namespace {

class InstallTest : public VelmoraTest {
protected:
    void SetUp() override
    {
        const ProcessResult installed =
            RunProcess({"cmake", "--install", VELMORA_BUILD_DIR, "--prefix", (dir_ / "prefix").string()});
        ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
    }

    // The completions bash offers for the words typed so far.
    std::string Complete(const std::string& words) const
    {
        const std::string script = "source '" + Completion().string() + "'; COMP_WORDS=(" + words +
                                   "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _velmora; echo \"${COMPREPLY[*]}\"";
        return RunProcess({"/bin/bash", "-c", script}).out;
    }

    std::filesystem::path Completion() const
    {
        return dir_ / "prefix/share/bash-completion/completions/velmora";
    }
};

TEST_F(InstallTest, BinaryManualAndCompletionGoToTheirPlaces)
{
    const std::filesystem::path prefix = dir_ / "prefix";
    EXPECT_EQ(RunProcess({(prefix / "bin/velmora").string(), "--version"}).out, "velmora 2.0\n");
    const std::string manual =
        RunProcess({"gzip", "-dc", (prefix / "share/man/man1/velmora.1.gz").string()}).out;
    EXPECT_TRUE(manual.starts_with(".TH VELMORA 1")) << manual.substr(0, 80);
    for (const char* file : {"share/applications/velmora-studio.desktop", "share/man/man1/velmora-studio.1.gz",
                             "share/icons/hicolor/scalable/apps/velmora-studio.svg", "share/doc/velmora/copyright",
                             "share/doc/velmora/changelog.gz"}) {
        EXPECT_TRUE(std::filesystem::exists(prefix / file)) << file;
    }
    EXPECT_TRUE(std::filesystem::exists(Completion()));
    // Where the installed program looks for its modules.
    for (const char* module : {"libvelmora_raster.so", "libvelmora_http.so", "libvelmora_compound.so"}) {
        EXPECT_TRUE(std::filesystem::exists(prefix / "lib/velmora" / module)) << module;
    }

    // The manual says what the help says.
    const std::string help = Velmora({"help", "run"}).out;
    for (const char* option : {"slide", "dry\\-run", "no\\-open", "json"}) {
        EXPECT_TRUE(Contains(manual, ".B \\-\\-" + std::string(option))) << option;
    }
    EXPECT_TRUE(Contains(help, "--dry-run"));
    EXPECT_TRUE(Contains(manual, "VELMORA_CODEPAGE"));
}

TEST_F(InstallTest, CompletionKnowsCommandsOptionsAndControls)
{
    EXPECT_EQ(Complete("velmora de"), "demo-deck\n");
    EXPECT_EQ(Complete("velmora run ExportComment_A"), "ExportComment_All_Main\n");
    EXPECT_EQ(Complete("velmora run About_Click deck.pptx --dry"), "--dry-run\n");
    EXPECT_EQ(Complete("velmora run About_Click deck.pptx --answer ''"), "yes no\n");
    EXPECT_EQ(Complete("velmora run SetFont_main deck.pptx --set CheckBox1"),
              "CheckBox1= CheckBox10= CheckBox11= CheckBox12= CheckBox13=\n");
    EXPECT_EQ(Complete("velmora run exportpic_main deck.pptx --click Cmd_"), "Cmd_OK Cmd_Cancel\n");
    EXPECT_EQ(Complete("velmora dialog frm_set"), "frm_setFont\n");
    EXPECT_EQ(Complete("velmora dialog frm_Co"), "frm_Colorpicker frm_CombinPic\n");
    EXPECT_EQ(Complete("velmora run CombinPic_main deck.pptx --set OptionButton1"),
              "OptionButton1= OptionButton10= OptionButton11= OptionButton12= OptionButton13= OptionButton14= "
              "OptionButton15= OptionButton16= OptionButton17=\n");
    EXPECT_EQ(Complete("velmora run Author_Click deck.pptx --click Cmd"), "Cmd_OK\n");
}

}  // namespace
}  // namespace velmora::testing
