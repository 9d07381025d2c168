// velmora_bench_split [SLIDES] [RUNS]: the document split on a large deck, as
// the ribbon runs it: a copy from the middle slide on, and a copy of one
// selected slide (every other slide deleted from the copy). Medians of RUNS,
// wall time and the process's CPU time (both cores), as a shared machine
// stretches the one but not the other.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ctime>
#include <sstream>
#include <vector>

#include "bench/BenchDecks.hpp"
#include "doctools/SplitDoc.hpp"
#include "host/Host.hpp"
#include "platform/RuntimeRandom.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/SystemClock.hpp"
#include "pptx/DocumentHost.hpp"

namespace {

using namespace velmora;

struct Times {
    std::vector<double> wall;
    std::vector<double> cpu;
};

double CpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Times one split of a freshly opened copy of the deck, the source kept.
void TimeSplit(Times& times, const std::filesystem::path& deck, const std::filesystem::path& work,
                 const std::function<void(host::DocumentWindow&)>& choose,
                 void (*split)(host::Application&, const host::Services&))
{
    bench::CopyDeck(deck, work);
    std::ostringstream messages;
    auto prompts = std::make_shared<platform::ScriptedPrompts>(messages);
    prompts->AddAnswer(true);
    host::Services services;
    services.prompts = prompts;
    services.clock = std::make_shared<platform::SystemClock>();
    services.random = std::make_shared<platform::RuntimeRandom>();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuMilliseconds();
    auto application = pptx::CreateDocumentHost(services);
    application->Presentations()->Open(work, false, false, true);
    choose(*application->ActiveWindow());
    split(*application, services);
    times.wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    times.cpu.push_back(CpuMilliseconds() - cpuStart);
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    // As velmora does: with TZ unset, libzip's time conversion of every
    // entry of the two decks opened re-reads /etc/localtime.
    setenv("TZ", ":/etc/localtime", 0);
    const int slideCount = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 5);
    const std::filesystem::path folder = bench::ScratchFolder();
    bench::BuildDeck(folder / "deck.pptx", slideCount);

    Times fromMiddle;
    Times oneSelected;
    for (int run = 0; run < runs; ++run) {
        TimeSplit(fromMiddle, folder / "deck.pptx", folder / "work.pptx",
                  [&](host::DocumentWindow& window) { pptx::ShowSlide(window, slideCount / 2 + 1); },
                  doctools::SplitDoc_fromhere_Main);
        TimeSplit(oneSelected, folder / "deck.pptx", folder / "work.pptx",
                  [&](host::DocumentWindow& window) { pptx::SelectSlides(window, {slideCount / 2}); },
                  doctools::SplitDoc_selection_Main);
    }
    std::printf("%d slides, medians of %d runs:\n", slideCount, runs);
    std::printf("  open + split from the middle slide: %.1f ms (CPU %.1f ms)\n", Median(fromMiddle.wall),
                Median(fromMiddle.cpu));
    std::printf("  open + extract one slide:           %.1f ms (CPU %.1f ms)\n", Median(oneSelected.wall),
                Median(oneSelected.cpu));
    std::filesystem::remove_all(folder);
    return 0;
}
