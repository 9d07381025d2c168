// velmora_bench_deck [SLIDES] [RUNS]: builds a deck with notes and animations
// on every slide, then times what the notes and animation tools do to it:
// open, read every slide's notes, clear them, delete every main-sequence
// effect, save. Each run happens in a process of its own so that its peak
// memory is its own.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/Host.hpp"
#include "pptx/DocumentHost.hpp"
#include "pptx/package/ZipArchive.hpp"
#include "bench/BenchDecks.hpp"

namespace {

using namespace velmora;

std::uint64_t UnpackedXmlSize(const std::filesystem::path& file)
{
    std::uint64_t total = 0;
    auto archive = pptx::package::ZipArchive::Open(file);
    for (const auto& entry : archive->Entries()) {
        if (entry.name.ends_with(".xml") || entry.name.ends_with(".rels")) {
            total += entry.size;
        }
    }
    return total;
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// User and system time so far; on a busy machine it tells more than the wall time.
double CpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000 + static_cast<double>(t.tv_usec) / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The timed work; prints "wall-ms cpu-ms peak-kilobytes baseline-kilobytes".
void Run(const std::filesystem::path& file, const std::filesystem::path& output)
{
    const long baseline = PeakKilobytes();
    const double cpuStart = CpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    auto presentation = pptx::CreateDocumentHost({})->Presentations()->Open(file, false, false, false);
    auto slides = presentation->Slides();
    std::size_t characters = 0;
    const int count = slides->Count();
    for (int i = 1; i <= count; ++i) {
        auto slide = slides->Item(i);
        auto notes = slide->NotesPage()->Shapes()->Placeholders()->Item(2)->TextFrame()->TextRange();
        characters += notes->Text().size();
        notes->SetText("");
        auto sequence = slide->TimeLine()->MainSequence();
        for (int j = sequence->Count(); j >= 1; --j) {
            sequence->Item(j)->Delete();
        }
    }
    presentation->SaveAs(output, host::SaveFormat::Presentation);
    const double milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f %.1f %ld %ld %zu\n", milliseconds, CpuMilliseconds() - cpuStart, PeakKilobytes(), baseline,
                characters);
}

template <typename Work>
std::string InChild(Work work)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        work();
        std::fflush(stdout);
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string out;
    char buffer[256];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "a benchmark process failed\n");
        std::exit(1);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    const int slideCount = argc > 1 ? std::atoi(argv[1]) : 500;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::filesystem::path folder = bench::ScratchFolder();
    const std::filesystem::path deck = folder / "deck.pptx";
    bench::BuildDeck(deck, slideCount);
    const std::uint64_t xmlBytes = UnpackedXmlSize(deck);

    double best = 1e30;
    double bestCpu = 1e30;
    long peak = 0;
    long growth = 0;
    for (int run = 0; run < runs; ++run) {
        std::string line = InChild([&] { Run(deck, folder / "out.pptx"); });
        double milliseconds = 0;
        double cpu = 0;
        long kilobytes = 0;
        long baseline = 0;
        std::sscanf(line.c_str(), "%lf %lf %ld %ld", &milliseconds, &cpu, &kilobytes, &baseline);
        std::printf("run %d: %.1f ms (%.1f ms CPU), peak RSS %.1f MiB (%.1f MiB before opening)\n", run + 1,
                    milliseconds, cpu, static_cast<double>(kilobytes) / 1024.0, static_cast<double>(baseline) / 1024.0);
        best = std::min(best, milliseconds);
        bestCpu = std::min(bestCpu, cpu);
        peak = std::max(peak, kilobytes);
        growth = std::max(growth, kilobytes - baseline);
    }
    std::printf("deck: %d slides, %.2f MiB of XML unpacked, %.2f MiB packed\n", slideCount,
                static_cast<double>(xmlBytes) / (1 << 20),
                static_cast<double>(std::filesystem::file_size(deck)) / (1 << 20));
    std::printf("open + read notes + clear notes + delete effects + save: best %.1f ms, %.1f ms CPU (target 70 ms)\n",
                best, bestCpu);
    std::printf("peak RSS %.1f MiB = %.2f x the unpacked XML; the deck's own share %.1f MiB = %.2f x (target under 3)\n",
                static_cast<double>(peak) / 1024.0, static_cast<double>(peak) * 1024 / static_cast<double>(xmlBytes),
                static_cast<double>(growth) / 1024.0, static_cast<double>(growth) * 1024 / static_cast<double>(xmlBytes));
    std::filesystem::remove_all(folder);
    return 0;
}
