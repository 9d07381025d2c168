// velmora_bench_large_slide [--kind runs|chars|boxes] [MEGABYTES...] [--runs N]:
// the font command (body text into one Latin font, the heaviest edit: an
// element for every run) on a deck whose one slide unpacks to each size
// given, through the velmora command; the median wall time and peak memory
// of each, and how the command ended. The slide holds a hundred text boxes
// of short runs (runs; default sizes 248, the size that once took the command
// past 7 GB, and 64, within the ceiling on a part's parsed tree), of
// one-character runs (chars, the densest text the ceiling lets through), or
// as many small text boxes as fit, each of one run (boxes, where walking
// the shapes costs most).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchDecks.hpp"
#include "bench/BenchProcess.hpp"
#include "pptx/package/Package.hpp"

namespace {

using namespace velmora;

enum class Kind { Runs, Chars, Boxes };

std::string TextBox(int number, const std::string& paragraph)
{
    const std::string id = std::to_string(number);
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + id + "\" name=\"TextBox " + id +
           "\"/><p:cNvSpPr txBox=\"1\"/><p:nvPr/></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p>" + paragraph +
           "</a:p></p:txBody></p:sp>";
}

// Words in an order that does not repeat soon: the deck must not look like a zip bomb.
class Words {
public:
    const char* Next()
    {
        static const char* const kWords[] = {"alpha", "beta", "文字", "幻灯片", "gamma", "delta", "sigma"};
        state_ = state_ * 1103515245u + 12345u;
        return kWords[(state_ >> 16) % std::size(kWords)];
    }
    char NextLetter()
    {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<char>('a' + (state_ >> 16) % 26);
    }

private:
    unsigned state_ = 0;
};

std::string Run(Kind kind, Words& words)
{
    if (kind == Kind::Chars) {
        return std::string("<a:r><a:t>") + words.NextLetter() + "</a:t></a:r>";
    }
    std::string run = "<a:r><a:rPr lang=\"en-US\" sz=\"1800\"/><a:t>";
    for (int i = 0; i < 3; ++i) {
        run += words.Next();
        run += ' ';
    }
    return run + "</a:t></a:r>";
}

std::string LargeShapes(Kind kind, std::size_t bytes)
{
    std::string shapes;
    shapes.reserve(bytes + (bytes >> 4));
    Words words;
    if (kind == Kind::Boxes) {
        for (int number = 100; shapes.size() < bytes; ++number) {
            shapes += TextBox(number, Run(kind, words));
        }
        return shapes;
    }
    constexpr int kBoxes = 100;
    for (int box = 0; box < kBoxes; ++box) {
        std::string paragraph;
        const std::size_t size = bytes / kBoxes;
        paragraph.reserve(size + 64);
        while (paragraph.size() < size) {
            paragraph += Run(kind, words);
        }
        shapes += TextBox(box + 100, paragraph);
    }
    return shapes;
}

void BuildLargeDeck(const std::filesystem::path& file, Kind kind, double megabytes)
{
    bench::BuildDeck(file, 1);
    bench::BuildInChild([&] {
        auto package = pptx::package::Package::Open(file);
        std::string slide = package->Read("/ppt/slides/slide1.xml");
        slide.insert(slide.rfind("</p:spTree>"), LargeShapes(kind, static_cast<std::size_t>(megabytes * (1 << 20))));
        package->Write("/ppt/slides/slide1.xml", std::move(slide));
        package->Save(file);
    });
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Kind KindNamed(const std::string& name)
{
    if (name == "chars") {
        return Kind::Chars;
    }
    if (name == "boxes") {
        return Kind::Boxes;
    }
    return Kind::Runs;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<double> sizes;
    int runs = 3;
    Kind kind = Kind::Runs;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (std::string(argv[i]) == "--kind" && i + 1 < argc) {
            kind = KindNamed(argv[++i]);
        } else {
            sizes.push_back(std::atof(argv[i]));
        }
    }
    if (sizes.empty()) {
        sizes = {248, 64};
    }
    const std::filesystem::path folder = bench::ScratchFolder();
    setenv("VELMORA_SETTINGS", (folder / "settings.ini").c_str(), 1);
    for (const double megabytes : sizes) {
        const std::filesystem::path deck = folder / ("slide-" + std::to_string(megabytes) + "mb.pptx");
        BuildLargeDeck(deck, kind, megabytes);
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
        std::printf("font command on a %.1f MB slide: median %.2f s, median peak %.0f MiB, highest peak %.0f MiB, "
                    "exit status %d (%s)\n",
                    megabytes, Median(seconds), Median(peaks), *std::max_element(peaks.begin(), peaks.end()), status,
                    status == 0 ? "done" : "refused");
    }
    std::filesystem::remove_all(folder);
    return 0;
}
