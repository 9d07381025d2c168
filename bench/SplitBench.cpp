// velmora_bench_split [SLIDES] [RUNS]: the document split on a large deck, as
// the ribbon runs it: a copy from the middle slide on, and a copy of one
// selected slide (every other slide deleted from the copy). Medians of RUNS.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
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

// Milliseconds of one split of a freshly opened copy of the deck, the source kept.
double TimeSplit(const std::filesystem::path& deck, const std::filesystem::path& work,
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
    auto application = pptx::CreateDocumentHost(services);
    application->Presentations()->Open(work, false, false, true);
    choose(*application->ActiveWindow());
    split(*application, services);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int slideCount = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 5);
    const std::filesystem::path folder = bench::ScratchFolder();
    bench::BuildDeck(folder / "deck.pptx", slideCount);

    std::vector<double> fromMiddle;
    std::vector<double> oneSelected;
    for (int run = 0; run < runs; ++run) {
        fromMiddle.push_back(TimeSplit(
            folder / "deck.pptx", folder / "work.pptx",
            [&](host::DocumentWindow& window) { pptx::ShowSlide(window, slideCount / 2 + 1); },
            doctools::SplitDoc_fromhere_Main));
        oneSelected.push_back(TimeSplit(
            folder / "deck.pptx", folder / "work.pptx",
            [&](host::DocumentWindow& window) { pptx::SelectSlides(window, {slideCount / 2}); },
            doctools::SplitDoc_selection_Main));
    }
    std::printf("%d slides: open + split from the middle slide: median %.1f ms; open + extract one slide: median "
                "%.1f ms\n",
                slideCount, Median(fromMiddle), Median(oneSelected));
    std::filesystem::remove_all(folder);
    return 0;
}
