// One LibreOffice kept running between conversions, through the real
// LibreOffice and our helper program.
#include <csignal>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "render/RasterModule.hpp"
#include "render/SlideRenderer.hpp"
#include "tests/render/SampleDeck.hpp"
#include "tests/support/TempDir.hpp"

namespace velmora::render {
namespace {

using velmora::testing::SampleBox;
using velmora::testing::SampleSlide;
using velmora::testing::TempDir;

const SampleBox kRedBox{72, 72, 144, 72, "#ff0000"};

int PageCount(const std::filesystem::path& pdf)
{
    return RasterModule().openPdf(pdf)->PageCount();
}

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Our helper processes running with a profile under `cache`.
std::set<int> KeptOffices(const std::filesystem::path& cache)
{
    std::set<int> pids;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::string commandLine = ReadAll(entry.path() / "cmdline");
        if (commandLine.find("velmora-office") != std::string::npos &&
            commandLine.find(cache.string()) != std::string::npos) {
            pids.insert(std::stoi(name));
        }
    }
    return pids;
}

// A killed process's main thread shows as a zombie while its other threads
// still exit; its parent learns of its end only once the last is gone.
void WaitUntilGoneForItsParent(int pid)
{
    const std::filesystem::path process = "/proc/" + std::to_string(pid);
    const auto threads = [&] {
        return std::distance(std::filesystem::directory_iterator(process / "task"), {});
    };
    while (ReadAll(process / "stat").find(") Z") == std::string::npos || threads() > 1) {
    }
}

class WarmOfficeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        decks_ = new TempDir;
        // The hidden slide counts: page numbers are slide numbers.
        threeSlides_ = testing::WriteSampleDeck(
            decks_->path(), "three", {SampleSlide{{kRedBox}, "one"}, SampleSlide{{}, "two", true}, SampleSlide{{}, "3"}});
        twoSlides_ = testing::WriteSampleDeck(decks_->path(), "two", {SampleSlide{{}, "one"}, SampleSlide{{}, "two"}});
    }
    static void TearDownTestSuite()
    {
        delete decks_;
        decks_ = nullptr;
    }

    // The one deck the caller works on, now holding `content`.
    const std::filesystem::path& Revision(const std::filesystem::path& content)
    {
        std::filesystem::copy_file(content, deck_, std::filesystem::copy_options::overwrite_existing);
        return deck_;
    }

    static inline TempDir* decks_ = nullptr;
    static inline std::filesystem::path threeSlides_;
    static inline std::filesystem::path twoSlides_;
    TempDir work_;
    TempDir cache_;
    std::filesystem::path deck_ = work_ / "deck.pptx";
    SlideRenderer renderer_{RendererOptions{.profileCache = cache_.path(), .keepOfficeRunning = true}};
};

TEST_F(WarmOfficeTest, RevisionsAreConvertedByOneInstance)
{
    EXPECT_EQ(PageCount(renderer_.Pdf(Revision(threeSlides_), 1)), 3);
    EXPECT_EQ(PageCount(renderer_.Pdf(Revision(twoSlides_), 2)), 2);
    EXPECT_EQ(PageCount(renderer_.Pdf(Revision(threeSlides_), 3)), 3);
    EXPECT_EQ(renderer_.PdfConversions(), 3);
    EXPECT_EQ(renderer_.OfficeStarts(), 1);
    EXPECT_EQ(KeptOffices(cache_.path()).size(), 1u);
}

TEST_F(WarmOfficeTest, AKilledInstanceIsReplacedAndTheConversionStillSucceeds)
{
    ASSERT_EQ(PageCount(renderer_.Pdf(Revision(threeSlides_), 1)), 3);
    const std::set<int> first = KeptOffices(cache_.path());
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(kill(*first.begin(), SIGKILL), 0);
    WaitUntilGoneForItsParent(*first.begin());

    EXPECT_EQ(PageCount(renderer_.Pdf(Revision(twoSlides_), 2)), 2);
    EXPECT_EQ(PageCount(renderer_.Pdf(Revision(threeSlides_), 3)), 3);
    const std::set<int> now = KeptOffices(cache_.path());
    ASSERT_EQ(now.size(), 1u);
    EXPECT_NE(*now.begin(), *first.begin());
    EXPECT_EQ(renderer_.OfficeStarts(), 2);
}

TEST_F(WarmOfficeTest, ABrokenFileIsRefusedAndTheInstanceKeepsServing)
{
    ASSERT_EQ(PageCount(renderer_.Pdf(Revision(twoSlides_), 1)), 2);
    const std::string whole = ReadAll(threeSlides_);
    std::ofstream(deck_, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() / 3);
    try {
        renderer_.Pdf(deck_, 2);
        FAIL() << "a truncated deck was converted";
    } catch (const RenderError& error) {
        EXPECT_NE(std::string(error.what()).find("could not convert deck.pptx"), std::string::npos) << error.what();
    }
    EXPECT_EQ(PageCount(renderer_.Pdf(Revision(threeSlides_), 3)), 3);
    EXPECT_EQ(renderer_.OfficeStarts(), 1);
}

}  // namespace
}  // namespace velmora::render
