// Failures around LibreOffice, with stand-in programs where the real one
// would not fail on demand.
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
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

    // A renderer with a fresh profile, which stand-ins leave empty.
    static RendererOptions Options(const std::filesystem::path& soffice,
                                   std::chrono::seconds timeLimit = std::chrono::seconds(180))
    {
        return {.soffice = soffice, .timeLimit = timeLimit, .profileCache = {}};
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

    // The process whose id the stand-in wrote to `pidFile` is gone (or a zombie).
    static void ExpectGone(const std::filesystem::path& pidFile)
    {
        int pid = 0;
        std::ifstream(pidFile) >> pid;
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

    TempDir folder_;
    std::filesystem::path deck_ = folder_ / "deck.pptx";
    std::filesystem::path picture_ = folder_ / "slide.png";
};

TEST_F(RenderFailuresTest, MissingLibreOfficeSaysWhatToInstall)
{
    SlideRenderer renderer(Options("/nonexistent/soffice"));
    const std::string message = ErrorOf([&] { renderer.Pdf(deck_, 1); });
    EXPECT_THAT(message, HasSubstr("LibreOffice (soffice) is needed to render slides"));
    EXPECT_THAT(message, HasSubstr("apt-get install libreoffice-impress-nogui"));
    EXPECT_EQ(renderer.PdfConversions(), 0);
}

TEST_F(RenderFailuresTest, FailingLibreOfficeIsReportedWithItsOwnWords)
{
    SlideRenderer renderer(Options(FakeOffice("echo 'Error: source file could not be loaded' >&2\nexit 1")));
    const std::string message =
        ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Png, {4, 3}); });
    EXPECT_THAT(message, HasSubstr("could not convert deck.pptx to pdf"));
    EXPECT_THAT(message, HasSubstr("source file could not be loaded"));
    EXPECT_FALSE(std::filesystem::exists(picture_));
}

TEST_F(RenderFailuresTest, MissingPresentationFileIsNamed)
{
    SlideRenderer renderer(Options(FakeOffice("exit 0")));
    EXPECT_THAT(ErrorOf([&] { renderer.Pdf(folder_ / "gone.pptx", 1); }), HasSubstr("gone.pptx"));
}

TEST_F(RenderFailuresTest, PdfThatPopplerCannotLoadIsReported)
{
    SlideRenderer renderer(Options(FakeOffice(R"(while [ $# -gt 1 ]; do [ "$1" = --outdir ] && out=$2; shift; done
echo 'not a pdf' > "$out/slides.pdf")")));
    EXPECT_THAT(ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Png, {4, 3}); }),
                HasSubstr("poppler cannot load"));
}

TEST_F(RenderFailuresTest, WithoutAKeptInstanceEachConversionRunsLibreOfficeOfItsOwn)
{
    // No LibreOfficeKit beside this stand-in: the kept instance cannot start.
    RendererOptions options = Options(FakeOffice(R"(while [ $# -gt 1 ]; do [ "$1" = --outdir ] && out=$2; shift; done
echo 'converted by a run of its own' > "$out/slides.pdf")"));
    options.keepOfficeRunning = true;
    SlideRenderer renderer(options);
    for (const std::uint64_t revision : {std::uint64_t{1}, std::uint64_t{2}}) {
        std::ifstream pdf(renderer.Pdf(deck_, revision));
        std::string line;
        std::getline(pdf, line);
        EXPECT_EQ(line, "converted by a run of its own");
    }
    EXPECT_EQ(renderer.OfficeStarts(), 2);
}

TEST_F(RenderFailuresTest, AConversionAheadIsUsedOnceAndItsFailureToldWhenTheFileIsAskedFor)
{
    const std::filesystem::path runs = folder_ / "runs.log";
    SlideRenderer renderer(Options(FakeOffice("echo run >> '" + runs.string() + R"('
while [ $# -gt 1 ]; do [ "$1" = --outdir ] && out=$2; shift; done
echo 'converted ahead' > "$out/slides.pdf")")));
    renderer.ConvertAhead(deck_, 1);
    std::ifstream pdf(renderer.Pdf(deck_, 1));
    std::string line;
    std::getline(pdf, line);
    EXPECT_EQ(line, "converted ahead");
    EXPECT_EQ(renderer.PdfConversions(), 1);
    std::ifstream log(runs);
    EXPECT_EQ(std::distance(std::istreambuf_iterator<char>(log), {}), 4) << "one run of LibreOffice";

    SlideRenderer failing(Options(FakeOffice("echo 'Error: source file could not be loaded' >&2\nexit 1")));
    failing.ConvertAhead(deck_, 1);
    EXPECT_THAT(ErrorOf([&] { failing.Pdf(deck_, 1); }), HasSubstr("source file could not be loaded"));
    EXPECT_EQ(failing.PdfConversions(), 0);
}

TEST_F(RenderFailuresTest, LibreOfficeOverrunningItsTimeLimitIsKilledWithItsHelpers)
{
    const std::filesystem::path helperPid = folder_ / "helper.pid";
    SlideRenderer renderer(
        Options(FakeOffice("sleep 120 &\necho $! > '" + helperPid.string() + "'\nwait"), std::chrono::seconds(1)));
    EXPECT_THAT(ErrorOf([&] { renderer.Pdf(deck_, 1); }), HasSubstr("within 1 s"));

    // Like soffice's own soffice.bin, the script's child must not outlive it.
    ExpectGone(helperPid);
}

TEST_F(RenderFailuresTest, TimeLimitCoversAConverterThatClosedItsOutputAndLingers)
{
    SlideRenderer renderer(Options(FakeOffice("exec >/dev/null 2>&1 </dev/null\nsleep 120"), std::chrono::seconds(1)));
    EXPECT_THAT(ErrorOf([&] { renderer.Pdf(deck_, 1); }), HasSubstr("within 1 s"));
}

TEST_F(RenderFailuresTest, HelpersOfAFinishedConverterDoNotOutliveIt)
{
    const std::filesystem::path helperPid = folder_ / "helper.pid";
    SlideRenderer renderer(Options(FakeOffice("sleep 120 >/dev/null 2>&1 &\necho $! > '" + helperPid.string() +
                                              "'\necho 'Error: source file could not be loaded'\nexit 0")));
    EXPECT_THAT(ErrorOf([&] { renderer.Pdf(deck_, 1); }), HasSubstr("source file could not be loaded"));
    ExpectGone(helperPid);
}

TEST_F(RenderFailuresTest, ConverterDeathIsReportedAsADeathDuringTheConversion)
{
    SlideRenderer renderer(Options(FakeOffice("echo 'javaldx: Could not find a Java Runtime Environment!' >&2\n"
                                              "kill -SEGV $$")));
    const std::string message = ErrorOf([&] { renderer.Pdf(deck_, 1); });
    EXPECT_THAT(message, HasSubstr("LibreOffice died"));
    EXPECT_THAT(message, HasSubstr("while converting deck.pptx to pdf"));
    EXPECT_THAT(message, HasSubstr("memory"));
    EXPECT_THAT(message, ::testing::Not(HasSubstr("javaldx")));

    SlideRenderer silent(Options(FakeOffice("echo 'javaldx: Could not find a Java Runtime Environment!' >&2\nexit 5")));
    const std::string quiet = ErrorOf([&] { silent.Pdf(deck_, 1); });
    EXPECT_THAT(quiet, HasSubstr("could not convert deck.pptx to pdf (exit status 5)"));
    EXPECT_THAT(quiet, ::testing::Not(HasSubstr("javaldx")));
}

TEST_F(RenderFailuresTest, ConverterRunsUnderAMemoryLimitWithOurFontsAndNoNetwork)
{
    const std::filesystem::path seen = folder_ / "seen.txt";
    RendererOptions options = Options(FakeOffice("{ ulimit -v; echo \"$FONTCONFIG_FILE\"; echo \"$https_proxy\"; "
                                                 "} > '" + seen.string() + "'\nexit 1"));
    options.memoryLimit = std::uint64_t{3} << 30;
    SlideRenderer renderer(options);
    ErrorOf([&] { renderer.Pdf(deck_, 1); });
    std::ifstream in(seen);
    std::string limit;
    std::string fonts;
    std::string proxy;
    std::getline(in, limit);
    std::getline(in, fonts);
    std::getline(in, proxy);
    EXPECT_EQ(limit, std::to_string((std::uint64_t{3} << 30) / 1024));
    EXPECT_THAT(fonts, ::testing::EndsWith("fonts.conf"));
    EXPECT_EQ(proxy, "http://127.0.0.1:9");
}

TEST_F(RenderFailuresTest, BadRequestsAreRefusedBeforeLibreOfficeRuns)
{
    SlideRenderer renderer(Options("/nonexistent/soffice"));
    EXPECT_THAT(ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Emf, {4, 3}); }),
                HasSubstr("ExportEmf"));
    EXPECT_THAT(ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Png, {0, 3}); }),
                HasSubstr("0 x 3"));
    EXPECT_THAT(ErrorOf([&] { renderer.ExportSlide(deck_, 1, 1, picture_, PictureFormat::Jpg, {1280, -960}); }),
                HasSubstr("1280 x -960"));
}

}  // namespace
}  // namespace velmora::render
