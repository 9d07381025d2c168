// Every slide of a 24-slide deck as a 1280-pixel-wide JPG through the
// picture export of the velmora command, against `soffice --convert-to pdf`
// followed by `pdftoppm -jpeg -scale-to-x 1280 -scale-to-y -1` on the same
// deck. Then a 200-slide deck, and a batch of ten 24-slide decks: one
// velmora run over the ten files, against ten runs of that pipeline.
// Both keep their LibreOffice profile between runs, as a user's LibreOffice
// does. A user's profile has seen LibreOffice start once with a window,
// which records its version there; without that every headless start
// redoes the first-start work, so the by-hand profile is seeded as Velmora
// seeds its own. A first round, not counted, warms both. Then the peak
// memory of the velmora process alone while it exports a 500-slide deck.
// Last, the drawing of the 200 slides from their PDF by one lane and by two
// in turns, in this process: their ratio holds whatever else the machine runs.
// Usage: velmora_bench_render [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchDecks.hpp"
#include "bench/BenchProcess.hpp"
#include "platform/PrivateFolder.hpp"
#include "render/ChildProcess.hpp"
#include "render/OfficeProfile.hpp"
#include "render/SlideRenderer.hpp"
#include "tests/render/SampleDeck.hpp"

namespace {

using namespace velmora;
using Seconds = std::chrono::duration<double>;

constexpr int kSlides = 24;
constexpr std::chrono::minutes kLimit{5};
constexpr int kBatchDecks = 10;
constexpr int kLongDeckSlides = 200;

// Decks of a batch differ by `variant`, so that no conversion repeats another.
std::vector<testing::SampleSlide> BenchSlides(int variant = 0)
{
    std::vector<testing::SampleSlide> slides;
    const char* colours[] = {"#c0392b", "#2980b9", "#27ae60", "#8e44ad", "#f39c12", "#16a085"};
    for (int i = 0; i < kSlides; ++i) {
        testing::SampleSlide slide;
        for (int j = 0; j < 4; ++j) {
            slide.boxes.push_back(
                {40.0 + 160 * j, 60.0 + 10 * ((i + variant) % 7), 140, 300.0 - 20 * j, colours[(i + j + variant) % 6]});
        }
        slide.text = "幻灯片 " + std::to_string(i + 1) + " — Velmora slide pictures " + std::to_string(variant);
        slides.push_back(slide);
    }
    return slides;
}

void Run(const std::vector<std::string>& argv)
{
    const render::ChildResult result = render::RunChild(argv, kLimit);
    if (result.status != 0) {
        std::fprintf(stderr, "%s failed: %s\n", argv.front().c_str(), result.output.c_str());
        std::exit(1);
    }
}

// The profile of the by-hand pipeline, past LibreOffice's first start.
const std::filesystem::path& HandProfile(const std::filesystem::path& work)
{
    static const render::OfficeProfile profile(
        work / "hand-cache", work, std::filesystem::canonical(render::FindProgram("soffice")).parent_path());
    return profile.Path();
}

Seconds ByHand(const std::filesystem::path& deck, const std::filesystem::path& work)
{
    const auto start = std::chrono::steady_clock::now();
    const platform::PrivateFolder folder("velmora-bench-hand");
    Run({"soffice", "--headless", "--norestore", "-env:UserInstallation=file://" + HandProfile(work).string(),
         "--convert-to", "pdf", "--outdir", folder.Path().string(), deck.string()});
    const std::filesystem::path pdf = folder.Path() / deck.filename().replace_extension(".pdf");
    Run({"pdftoppm", "-jpeg", "-scale-to-x", "1280", "-scale-to-y", "-1", pdf.string(), (work / "hand").string()});
    return std::chrono::steady_clock::now() - start;
}

Seconds BatchByHand(const std::vector<std::filesystem::path>& decks, const std::filesystem::path& work)
{
    const auto start = std::chrono::steady_clock::now();
    for (const std::filesystem::path& deck : decks) {
        ByHand(deck, work);
    }
    return std::chrono::steady_clock::now() - start;
}

// The picture export of all slides at 1280 pixels as JPG, on every deck.
std::vector<std::string> ExportCommand(const std::vector<std::filesystem::path>& decks)
{
    std::vector<std::string> command{VELMORA_BIN, "run", "ExportPic_main"};
    for (const std::filesystem::path& deck : decks) {
        command.push_back(deck.string());
    }
    for (const char* option : {"OptionButton1=true", "OptionButton10=true", "OptionButton3=true"}) {
        command.insert(command.end(), {"--set", option});
    }
    command.insert(command.end(), {"--click", "Cmd_OK", "--no-open"});
    return command;
}

Seconds ThroughVelmora(const std::vector<std::filesystem::path>& decks)
{
    return std::chrono::duration<double, std::milli>(bench::RunProgram(ExportCommand(decks)).milliseconds);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs both sides `rounds` times after one round not counted, alternating
// their order so that neither always meets warm caches; prints the medians.
template <typename Hand, typename Ours>
void Compare(const char* what, int rounds, double target, Hand&& hand, Ours&& ours)
{
    hand();
    ours();
    std::vector<double> handTimes;
    std::vector<double> ourTimes;
    for (int round = 1; round <= rounds; ++round) {
        if (round % 2 == 1) {
            handTimes.push_back(hand().count());
            ourTimes.push_back(ours().count());
        } else {
            ourTimes.push_back(ours().count());
            handTimes.push_back(hand().count());
        }
        std::printf("%s round %d: soffice + pdftoppm %.2f s, velmora %.2f s\n", what, round, handTimes.back(),
                    ourTimes.back());
    }
    const double handMedian = Median(handTimes);
    const double oursMedian = Median(ourTimes);
    std::printf("%s median of %d: soffice + pdftoppm %.2f s, velmora %.2f s (%.2f times as fast; target %.1f)\n",
                what, rounds, handMedian, oursMedian, handMedian / oursMedian, target);
}

// The drawing of every slide of `deck` as 1280-pixel JPGs by `lanes` lanes,
// from a PDF converted beforehand.
Seconds DrawFromPdf(const std::filesystem::path& deck, int lanes, const std::filesystem::path& out)
{
    render::SlideRenderer renderer(render::RendererOptions{.drawingThreads = lanes});
    renderer.Pdf(deck, 1);
    std::vector<render::SlidePicture> pictures;
    for (int slide = 1; slide <= kLongDeckSlides; ++slide) {
        pictures.push_back({slide, out / ("slide-" + std::to_string(slide) + ".jpg")});
    }
    const auto start = std::chrono::steady_clock::now();
    renderer.ExportSlides(deck, 1, pictures, render::PictureFormat::Jpg, {1280, 720});
    return std::chrono::steady_clock::now() - start;
}

void CompareLanes(const std::filesystem::path& deck, const std::filesystem::path& work, int rounds)
{
    const std::filesystem::path out = work / "lanes";
    std::filesystem::create_directories(out);
    DrawFromPdf(deck, 2, out);
    std::vector<double> one;
    std::vector<double> two;
    for (int round = 1; round <= rounds; ++round) {
        one.push_back(DrawFromPdf(deck, 1, out).count());
        two.push_back(DrawFromPdf(deck, 2, out).count());
        std::printf("drawing %d slides from their PDF round %d: one lane %.2f s, two lanes %.2f s\n",
                    kLongDeckSlides, round, one.back(), two.back());
    }
    std::printf("drawing %d slides from their PDF median of %d: one lane %.2f s, two lanes %.2f s (%.2f times as fast)\n",
                kLongDeckSlides, rounds, Median(one), Median(two), Median(one) / Median(two));
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const platform::PrivateFolder work("velmora-bench");
    // The export remembers its choices; the user's own settings stay as they are.
    setenv("VELMORA_SETTINGS", (work.Path() / "settings.ini").c_str(), 1);
    std::printf("building %d decks of %d slides...\n", kBatchDecks, kSlides);
    std::vector<std::filesystem::path> decks;
    for (int variant = 0; variant < kBatchDecks; ++variant) {
        decks.push_back(testing::WriteSampleDeck(work.Path(), "deck" + std::to_string(variant), BenchSlides(variant)));
    }
    const std::filesystem::path& deck = decks.front();

    Compare("one deck", rounds, 2.0, [&] { return ByHand(deck, work.Path()); },
            [&] { return ThroughVelmora({deck}); });
    const std::filesystem::path longDeck = work.Path() / "long.pptx";
    bench::BuildDeck(longDeck, kLongDeckSlides);
    Compare("200 slides", rounds, 2.0, [&] { return ByHand(longDeck, work.Path()); },
            [&] { return ThroughVelmora({longDeck}); });
    Compare("batch of 10", rounds, 4.0, [&] { return BatchByHand(decks, work.Path()); },
            [&] { return ThroughVelmora(decks); });

    const std::filesystem::path large = work.Path() / "large.pptx";
    bench::BuildDeck(large, 500);
    std::printf("500 slides at 1280 px: the velmora process's own peak %.0f MiB (target 200)\n",
                bench::OwnPeakMiB(ExportCommand({large})));
    CompareLanes(longDeck, work.Path(), rounds);
    return 0;
}
