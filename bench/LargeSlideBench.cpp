// velmora_bench_large_slide [MEGABYTES...] [--runs N]: the font command
// (body text into one Latin font, the heaviest edit: an element for every
// run) on a deck whose one slide unpacks to each size given (default 248,
// the size that once took the command past 7 GB, and 64, a slide within
// the ceiling on a part's parsed tree), through the velmora command; the
// median wall time and peak memory of each, and how the command ended.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "bench/BenchDecks.hpp"
#include "bench/BenchProcess.hpp"
#include "pptx/package/Package.hpp"

namespace {

using namespace velmora;

// A hundred text boxes of short runs, as a slide pasted full of text is.
std::string LargeShapes(std::size_t bytes)
{
    static const char* const kWords[] = {"alpha", "beta", "文字", "幻灯片", "gamma", "delta", "sigma"};
    constexpr int kBoxes = 100;
    std::string shapes;
    shapes.reserve(bytes + (bytes >> 4));
    unsigned word = 0;
    for (int box = 0; box < kBoxes; ++box) {
        const std::string id = std::to_string(box + 100);
        shapes += "<p:sp><p:nvSpPr><p:cNvPr id=\"" + id + "\" name=\"TextBox " + id +
                  "\"/><p:cNvSpPr txBox=\"1\"/><p:nvPr/></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/>"
                  "<a:ext cx=\"914400\" cy=\"369332\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>"
                  "</p:spPr><p:txBody><a:bodyPr/><a:lstStyle/><a:p>";
        const std::size_t end = bytes / kBoxes * static_cast<std::size_t>(box + 1);
        while (shapes.size() < end) {
            shapes += "<a:r><a:rPr lang=\"en-US\" sz=\"1800\"/><a:t>";
            for (int i = 0; i < 3; ++i) {
                // Words in an order that does not repeat soon: the deck must not look like a zip bomb.
                word = word * 1103515245u + 12345u;
                shapes += kWords[(word >> 16) % std::size(kWords)];
                shapes += ' ';
            }
            shapes += "</a:t></a:r>";
        }
        shapes += "</a:p></p:txBody></p:sp>";
    }
    return shapes;
}

// In a process of its own, so that the programs measured later do not
// start from this one's high-water mark.
void BuildLargeDeck(const std::filesystem::path& file, std::size_t megabytes)
{
    bench::BuildDeck(file, 1);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        try {
            auto package = pptx::package::Package::Open(file);
            std::string slide = package->Read("/ppt/slides/slide1.xml");
            slide.insert(slide.rfind("</p:spTree>"), LargeShapes(megabytes << 20));
            package->Write("/ppt/slides/slide1.xml", std::move(slide));
            package->Save(file);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "cannot build the deck: %s\n", error.what());
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("building the large deck failed");
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> sizes;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else {
            sizes.push_back(static_cast<std::size_t>(std::atol(argv[i])));
        }
    }
    if (sizes.empty()) {
        sizes = {248, 64};
    }
    const std::filesystem::path folder = bench::ScratchFolder();
    setenv("VELMORA_SETTINGS", (folder / "settings.ini").c_str(), 1);
    for (const std::size_t megabytes : sizes) {
        const std::filesystem::path deck = folder / ("slide-" + std::to_string(megabytes) + "mb.pptx");
        BuildLargeDeck(deck, megabytes);
        std::vector<double> seconds;
        std::vector<double> peaks;
        int status = 0;
        for (int run = 0; run < runs; ++run) {
            const bench::ProcessRun measured = bench::RunProgram(
                {VELMORA_BIN, "run", "SetFont_main", deck.string(), "-o", (folder / "out.pptx").string(), "--set",
                 "CheckBox2=true", "--set", "CheckBox8=true", "--set", "ComboBox2=Liberation Serif", "--click",
                 "CommandButton1"},
                true);
            seconds.push_back(measured.milliseconds / 1000);
            peaks.push_back(measured.peakMiB);
            status = measured.status;
        }
        std::printf("font command on a %zu MB slide: median %.2f s, median peak %.0f MiB, highest peak %.0f MiB, "
                    "exit status %d (%s)\n",
                    megabytes, Median(seconds), Median(peaks), *std::max_element(peaks.begin(), peaks.end()), status,
                    status == 0 ? "done" : "refused");
    }
    std::filesystem::remove_all(folder);
    return 0;
}
