// Failures around LibreOffice, with stand-in programs where the real one
// would not fail on demand.
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include "render/SlideRenderer.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::render {
namespace {

using ::testing::HasSubstr;
using velmora::testing::TempDir;

class RenderFailuresTest : public ::testing::Test {
protected:
    RenderFailuresTest() { std::ofstream(deck_) << "stands for a presentation"; }

    // An executable shell script used in place of soffice.
    std::filesystem::path FakeOffice(const std::string& body) const
    {
        const std::filesystem::path script = folder_ / "fake-soffice";
        std::ofstream(script) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        return script;
    }

    // The message of the RenderError that `step` raises.
    template <typename Step>
    static std::string ErrorOf(Step step)
    {
        try {
            step();
        } catch (const RenderError& error) {
            return error.what();
        }
        ADD_FAILURE() << "no RenderError";
        return "";
    }

    TempDir folder_;
    std::filesystem::path deck_ = folder_ / "deck.pptx";
    std::filesystem::path picture_ = folder_ / "slide.png";
};

TEST_F(RenderFailuresTest, MissingLibreOfficeSaysWhatToInstall)
{
    SlideRenderer renderer({.soffice = "/nonexistent/soffice"});
    const std::string message = ErrorOf([&] { renderer.Pdf(deck_, 1); });
    EXPECT_THAT(message, HasSubstr("LibreOffice (soffice) is needed to render slides"));
    EXPECT_THAT(message, HasSubstr("apt-get install libreoffice-impress-nogui"));
    EXPECT_EQ(renderer.PdfConversions(), 0);
}

TEST_F(RenderFailuresTest, FailingLibreOfficeIsReportedWithItsOwnWords)
{
    SlideRenderer renderer({.soffice = FakeOffice("echo 'Error: source file could not be loaded' >&2\nexit 1")});
    const std::string message =
        ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Png, {4, 3}); });
    EXPECT_THAT(message, HasSubstr("could not convert deck.pptx to pdf"));
    EXPECT_THAT(message, HasSubstr("source file could not be loaded"));
    EXPECT_FALSE(std::filesystem::exists(picture_));
}

TEST_F(RenderFailuresTest, MissingPresentationFileIsNamed)
{
    SlideRenderer renderer({.soffice = FakeOffice("exit 0")});
    EXPECT_THAT(ErrorOf([&] { renderer.Pdf(folder_ / "gone.pptx", 1); }), HasSubstr("gone.pptx"));
}

TEST_F(RenderFailuresTest, PdfThatPopplerCannotLoadIsReported)
{
    SlideRenderer renderer({.soffice = FakeOffice(R"(while [ $# -gt 1 ]; do [ "$1" = --outdir ] && out=$2; shift; done
echo 'not a pdf' > "$out/slides.pdf")")});
    EXPECT_THAT(ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Png, {4, 3}); }),
                HasSubstr("poppler cannot load"));
}

TEST_F(RenderFailuresTest, LibreOfficeOverrunningItsTimeLimitIsKilledWithItsHelpers)
{
    const std::filesystem::path helperPid = folder_ / "helper.pid";
    SlideRenderer renderer({.soffice = FakeOffice("sleep 120 &\necho $! > '" + helperPid.string() + "'\nwait"),
                            .timeLimit = std::chrono::seconds(1)});
    EXPECT_THAT(ErrorOf([&] { renderer.Pdf(deck_, 1); }), HasSubstr("within 1 s"));

    // Like soffice's own soffice.bin, the script's child must not outlive it.
    int pid = 0;
    std::ifstream(helperPid) >> pid;
    ASSERT_GT(pid, 0);
    bool gone = false;
    for (int tries = 0; tries < 100 && !gone; ++tries) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string skip;
        char state = 'X';
        gone = !(stat >> skip >> skip >> state) || state == 'Z';
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(gone);
    if (!gone) {
        kill(pid, SIGKILL);
    }
}

TEST_F(RenderFailuresTest, BadRequestsAreRefusedBeforeLibreOfficeRuns)
{
    SlideRenderer renderer({.soffice = "/nonexistent/soffice"});
    EXPECT_THAT(ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Emf, {4, 3}); }),
                HasSubstr("ExportEmf"));
    EXPECT_THAT(ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Png, {0, 3}); }),
                HasSubstr("0 x 3"));
    EXPECT_THAT(ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Jpg, {1280, -960}); }),
                HasSubstr("1280 x -960"));
}

}  // namespace
}  // namespace velmora::render
