// velmora_bench_montage [RUNS]: a montage of 24 slides (three columns, the
// slides exported one by one) against the same 24 slides exported one by one
// by the picture export, both through the velmora command as a user runs
// them, each in a process of its own with its own LibreOffice.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

#include "bench/BenchDecks.hpp"

extern char** environ;

namespace {

constexpr int kSlides = 24;

// Seconds the command took; exits the benchmark when it failed.
double TimeVelmora(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    std::string program = VELMORA_BIN;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (auto& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "velmora %s failed\n", args.front().c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

    double montageBest = 1e30;
    double exportBest = 1e30;
    for (int run = 0; run < runs; ++run) {
        montageBest = std::min(montageBest, TimeVelmora({"run", "CombinPic_main", deck, "--no-save",
                                                         "-q", "--set", "OptionButton4=true"}));
        exportBest = std::min(exportBest, TimeVelmora({"run", "ExportPic_main", deck, "--no-save", "-q",
                                                       "--select", AllSlides(), "--set", "OptionButton2=true"}));
    }
    std::printf("%d slides, best of %d: montage %.2f s; picture export one by one %.2f s\n", kSlides, runs,
                montageBest, exportBest);
    std::filesystem::remove_all(folder);
    return 0;
}
