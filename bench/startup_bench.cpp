// How fast `velmora ribbon` starts, and which rendering libraries the
// dynamic loader maps into it (none should be: they come with the first
// picture). Usage: velmora_bench_startup VELMORA [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/ChildProcess.hpp"

namespace {

using namespace velmora;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: velmora_bench_startup VELMORA [RUNS]\n", stderr);
        return 2;
    }
    const std::string program = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 31;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const render::ChildResult result = render::RunChild({program, "ribbon"}, std::chrono::seconds(10));
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (result.status != 0) {
            std::fprintf(stderr, "velmora ribbon failed: %s\n", result.output.c_str());
            return 1;
        }
    }
    const std::string libraries = render::RunChild({"ldd", program}, std::chrono::seconds(10)).output;
    std::printf("velmora ribbon: median of %d runs %.1f ms (target 8 ms); %d shared libraries\n", runs, Median(times),
                Count(libraries, "=>"));
    for (const char* library : {"libpoppler", "libvips", "libcurl", "libgsf", "libfontconfig"}) {
        std::printf("  %s %s\n", library, libraries.find(library) == std::string::npos ? "not mapped" : "MAPPED");
    }
    return 0;
}
