// Every slide of a 24-slide deck as a 1280-pixel-wide JPG through
// SlideRenderer, against `soffice --convert-to pdf` followed by
// `pdftoppm -jpeg -scale-to-x 1280 -scale-to-y -1` on the same deck.
// Both keep their LibreOffice profile between runs, as a user's LibreOffice
// does; a first round, not counted, makes the profiles.
// Usage: velmora_bench_render [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "render/ChildProcess.hpp"
#include "render/PrivateFolder.hpp"
#include "render/SlideRenderer.hpp"
#include "tests/render/SampleDeck.hpp"

namespace {

using namespace velmora;
using Seconds = std::chrono::duration<double>;

constexpr int kSlides = 24;
constexpr render::PixelBox kBox{1280, 960};
constexpr std::chrono::minutes kLimit{5};

std::vector<testing::SampleSlide> BenchSlides()
{
    std::vector<testing::SampleSlide> slides;
    const char* colours[] = {"#c0392b", "#2980b9", "#27ae60", "#8e44ad", "#f39c12", "#16a085"};
    for (int i = 0; i < kSlides; ++i) {
        testing::SampleSlide slide;
        for (int j = 0; j < 4; ++j) {
            slide.boxes.push_back({40.0 + 160 * j, 60.0 + 10 * (i % 7), 140, 300.0 - 20 * j, colours[(i + j) % 6]});
        }
        slide.text = "幻灯片 " + std::to_string(i + 1) + " — Velmora slide pictures";
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

Seconds ByHand(const std::filesystem::path& deck, const std::filesystem::path& work)
{
    const auto start = std::chrono::steady_clock::now();
    const render::PrivateFolder folder("velmora-bench-hand");
    Run({"soffice", "--headless", "--norestore", "-env:UserInstallation=file://" + (work / "hand-profile").string(),
         "--convert-to", "pdf", "--outdir", folder.Path().string(), deck.string()});
    Run({"pdftoppm", "-jpeg", "-scale-to-x", "1280", "-scale-to-y", "-1", (folder.Path() / "deck.pdf").string(),
         (work / "hand").string()});
    return std::chrono::steady_clock::now() - start;
}

Seconds ThroughRenderer(const std::filesystem::path& deck, const std::filesystem::path& work)
{
    const auto start = std::chrono::steady_clock::now();
    render::SlideRenderer renderer({.profileCache = work / "cache"});
    std::vector<render::SlidePicture> pictures;
    for (int slide = 1; slide <= kSlides; ++slide) {
        pictures.push_back({slide, work / ("slide" + std::to_string(slide) + ".jpg")});
    }
    renderer.ExportSlides(deck, 1, pictures, render::PictureFormat::Jpg, kBox);
    return std::chrono::steady_clock::now() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const render::PrivateFolder work("velmora-bench");
    std::printf("building a %d-slide deck...\n", kSlides);
    const std::filesystem::path deck = testing::WriteSampleDeck(work.Path(), "deck", BenchSlides());

    ByHand(deck, work.Path());
    ThroughRenderer(deck, work.Path());
    std::vector<double> hand;
    std::vector<double> ours;
    for (int round = 1; round <= rounds; ++round) {
        // Alternate the order so that neither side always meets warm caches.
        if (round % 2 == 1) {
            hand.push_back(ByHand(deck, work.Path()).count());
            ours.push_back(ThroughRenderer(deck, work.Path()).count());
        } else {
            ours.push_back(ThroughRenderer(deck, work.Path()).count());
            hand.push_back(ByHand(deck, work.Path()).count());
        }
        std::printf("round %d: soffice + pdftoppm %.2f s, SlideRenderer %.2f s\n", round, hand.back(), ours.back());
    }
    const double handMedian = Median(hand);
    const double oursMedian = Median(ours);
    std::printf("median of %d: soffice + pdftoppm %.2f s, SlideRenderer %.2f s (%.2f times as fast; target 1.5)\n",
                rounds, handMedian, oursMedian, handMedian / oursMedian);
    return 0;
}
