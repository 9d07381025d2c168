// A program that exports slide pictures the way `velmora` does and is
// interrupted by the test: interrupted_export SOFFICE DECK PICTURE
#include <cstdio>

#include "platform/Interruption.hpp"
#include "render/SlideRenderer.hpp"

int main(int argc, char** argv)
{
    using namespace velmora;
    if (argc != 4) {
        std::fputs("usage: interrupted_export SOFFICE DECK PICTURE\n", stderr);
        return 2;
    }
    platform::ExitCleanlyOnInterruption();
    try {
        render::SlideRenderer renderer({.soffice = argv[1], .profileCache = {}});
        renderer.ExportSlide(argv[2], 1, 1, argv[3], render::PictureFormat::Png, {640, 480});
    } catch (const render::RenderError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 3;
    }
    return 0;
}
