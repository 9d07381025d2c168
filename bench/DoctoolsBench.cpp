// velmora_bench_doctools [SLIDES] [RUNS]: the notes commands on a large deck,
// as the ribbon runs them: the export of all notes to a text file, and the
// deletion of all notes followed by saving the presentation.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include "bench/BenchDecks.hpp"
#include "doctools/Notes.hpp"
#include "host/Host.hpp"
#include "platform/ScriptedPrompts.hpp"
#include "platform/SystemClock.hpp"
#include "pptx/DocumentHost.hpp"

namespace {

using namespace velmora;

// Milliseconds of one command on a freshly opened copy of the deck.
double TimeCommand(const std::filesystem::path& deck, const std::filesystem::path& work,
                   const std::function<void(host::Application&, const host::Services&)>& command)
{
    bench::CopyDeck(deck, work);
    std::ostringstream messages;
    host::Services services;
    services.prompts = std::make_shared<platform::ScriptedPrompts>(messages);
    services.clock = std::make_shared<platform::SystemClock>();
    const auto start = std::chrono::steady_clock::now();
    auto application = pptx::CreateDocumentHost(services);
    application->Presentations()->Open(work, false, false, true);
    command(*application, services);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const int slideCount = argc > 1 ? std::atoi(argv[1]) : 500;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::filesystem::path folder = bench::ScratchFolder();
    bench::BuildDeck(folder / "deck.pptx", slideCount);

    double exportBest = 1e30;
    double deleteBest = 1e30;
    for (int run = 0; run < runs; ++run) {
        exportBest = std::min(exportBest, TimeCommand(folder / "deck.pptx", folder / "work.pptx",
                                                      doctools::ExportComment_All_Main));
        deleteBest = std::min(deleteBest, TimeCommand(folder / "deck.pptx", folder / "work.pptx",
                                                      [](host::Application& application, const host::Services& services) {
                                                          doctools::DeleteComment_All_Main(application, services);
                                                          application.ActivePresentation()->Save();
                                                      }));
    }
    std::printf("%d slides: open + export all notes: best %.1f ms; open + delete all notes + save: best %.1f ms\n",
                slideCount, exportBest, deleteBest);
    std::filesystem::remove_all(folder);
    return 0;
}
