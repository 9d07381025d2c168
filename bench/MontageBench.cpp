// velmora_bench_montage [RUNS]: a montage of 24 slides (three columns, the
// slides exported one by one) against the same 24 slides exported one by one
// by the picture export, both through the velmora command as a user runs
// them, each in a process of its own with its own LibreOffice.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchDecks.hpp"
#include "bench/BenchProcess.hpp"

namespace {

constexpr int kSlides = 24;

// Seconds the command took; exits the benchmark when it failed.
double TimeVelmora(std::vector<std::string> args)
{
    args.insert(args.begin(), VELMORA_BIN);
    return velmora::bench::RunProgram(std::move(args)).milliseconds / 1000;
}

std::string AllSlides()
{
    std::string list;
    for (int i = 1; i <= kSlides; ++i) {
        list += (i > 1 ? "," : "") + std::to_string(i);
    }
    return list;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    const std::filesystem::path folder = velmora::bench::ScratchFolder();
    const std::string deck = (folder / "deck.pptx").string();
    velmora::bench::BuildDeck(deck, kSlides);
    setenv("VELMORA_SETTINGS", (folder / "settings.ini").c_str(), 1);
    // The picture and the folder are not shown: an opener that does nothing comes first.
    std::ofstream(folder / "xdg-open") << "#!/bin/sh\n";
    std::filesystem::permissions(folder / "xdg-open", std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    const char* path = std::getenv("PATH");
    setenv("PATH", (folder.string() + ":" + (path != nullptr ? path : "/usr/bin:/bin")).c_str(), 1);

    double montageBest = 1e30;
    double exportBest = 1e30;
    for (int run = 0; run < runs; ++run) {
        montageBest = std::min(montageBest, TimeVelmora({"run", "CombinPic_main", deck, "--no-save",
                                                         "--set", "OptionButton4=true"}));
        exportBest = std::min(exportBest, TimeVelmora({"run", "ExportPic_main", deck, "--no-save",
                                                       "--select", AllSlides(), "--set", "OptionButton2=true"}));
    }
    std::printf("%d slides, best of %d: montage %.2f s; picture export one by one %.2f s\n", kSlides, runs,
                montageBest, exportBest);
    std::filesystem::remove_all(folder);
    return 0;
}
