// How soon the studio shows a 30-slide deck: its first slide, drawn at once
// from the host's geometry, LibreOffice's picture of that slide, which comes
// ahead of the others, and LibreOffice's pictures of all its slides,
// with LibreOffice starting (cold, a new window) and already running (warm,
// the deck opened again). Usage: velmora_bench_studio [COLD_RUNS] [WARM_RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <QApplication>

#include "BenchDecks.hpp"
#include "studio/StudioWindow.hpp"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

constexpr int kSlides = 30;

struct Times {
    std::vector<double> placeholder;
    std::vector<double> firstSlide;
    std::vector<double> allPictures;
};

double Milliseconds(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Opens the deck and waits for its pictures; false when they never come.
bool TimeOpening(studio::StudioWindow& window, const std::filesystem::path& deck, Times& times)
{
    const int rounds = window.PictureRounds();
    const int firstRounds = window.FirstPictureRounds();
    const Clock::time_point start = Clock::now();
    if (!window.Open(deck)) {
        return false;
    }
    QApplication::processEvents();
    times.placeholder.push_back(Milliseconds(start));
    bool firstShown = false;
    while (window.PictureRounds() == rounds) {
        if (Milliseconds(start) > 120000) {
            return false;
        }
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        if (!firstShown && window.FirstPictureRounds() != firstRounds) {
            firstShown = true;
            times.firstSlide.push_back(Milliseconds(start));
        }
    }
    times.allPictures.push_back(Milliseconds(start));
    return true;
}

void Report(const char* name, const Times& times)
{
    std::printf("%s (%zu runs): placeholder %.0f ms, first slide %.0f ms, all %d thumbnails %.0f ms (medians)\n",
                name, times.firstSlide.size(), Median(times.placeholder), Median(times.firstSlide), kSlides,
                Median(times.allPictures));
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const int coldRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int warmRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::filesystem::path folder = bench::ScratchFolder();
    setenv("VELMORA_SETTINGS", (folder / "settings.ini").c_str(), 1);
    const std::filesystem::path deck = folder / "deck.pptx";
    bench::BuildDeck(deck, kSlides);

    const studio::StudioOptions options{true, false, false};
    Times cold;
    Times warm;
    bool drawn = true;
    for (int run = 0; run < coldRuns && drawn; ++run) {
        studio::StudioWindow window(studio::StudioWindow::DesktopServices(), options);
        window.show();
        window.Start();
        drawn = TimeOpening(window, deck, cold);
        for (int again = 0; again < (run == 0 ? warmRuns : 0) && drawn; ++again) {
            drawn = TimeOpening(window, deck, warm);
        }
    }
    std::filesystem::remove_all(folder);
    if (!drawn) {
        std::fputs("the slide pictures never came\n", stderr);
        return 1;
    }
    Report("cold", cold);
    Report("warm", warm);
    return 0;
}
