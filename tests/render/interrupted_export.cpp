// A program that exports slide pictures the way `velmora` does, for tests that
// interrupt it or watch what it leaves: interrupted_export SOFFICE DECK PICTURE
// [--kept-profile]. Without --kept-profile its LibreOffice profile is fresh,
// inside its temporary folder.
#include <cstdio>
#include <string_view>

#include "platform/Interruption.hpp"
#include "render/SlideRenderer.hpp"

int main(int argc, char** argv)
{
    using namespace velmora;
    const bool keptProfile = argc == 5 && std::string_view(argv[4]) == "--kept-profile";
    if (argc != 4 && !keptProfile) {
        std::fputs("usage: interrupted_export SOFFICE DECK PICTURE [--kept-profile]\n", stderr);
        return 2;
    }
    platform::ExitCleanlyOnInterruption();
    try {
        render::RendererOptions options{.soffice = argv[1]};
        if (!keptProfile) {
            options.profileCache.clear();
        }
        render::SlideRenderer renderer(options);
        renderer.ExportSlide(argv[2], 1, 1, argv[3], render::PictureFormat::Png, {640, 480});
    } catch (const render::RenderError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 3;
    }
    return 0;
}
