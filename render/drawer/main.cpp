// velmora-draw PDF
//
// Draws pages of one PDF into picture files on request, beside the process
// that asked: poppler's Cairo output shares one FreeType library among all
// documents of a process, so a process draws one page at a time. Requests
// come on stdin, five lines each: the page (from 0), the width and the height
// in pixels, the format ("JPG", "PNG", "GIF" or "BMP") and the file. Each gets
// one line on stdout: "ok" or "error " + a message. "ready" (or "error ...")
// is told once the PDF is loaded.

#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "render/PictureFormat.hpp"
#include "render/RasterModule.hpp"

namespace {

using namespace velmora::render;

struct Request {
    int page = 0;
    PixelBox box;
    std::string format;
    std::string file;
};

// A line per answer, so a message must not break it.
void Tell(std::string line)
{
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

bool ReadNumber(int& number)
{
    std::string line;
    if (!std::getline(std::cin, line)) {
        return false;
    }
    try {
        number = std::stoi(line);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool ReadRequest(Request& request)
{
    return ReadNumber(request.page) && ReadNumber(request.box.width) && ReadNumber(request.box.height) &&
           std::getline(std::cin, request.format) && std::getline(std::cin, request.file);
}

std::string Draw(const RasterFunctions& module, const PdfPages& pages, const Request& request)
{
    try {
        module.writePicture(pages.RenderPage(request.page, request.box), ParsePictureFormat(request.format),
                            request.file);
        return "ok";
    } catch (const std::exception& error) {
        return std::string("error ") + error.what();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: velmora-draw PDF\n", stderr);
        return 2;
    }
    try {
        const RasterFunctions& module = RasterModule();
        const std::unique_ptr<PdfPages> pages = module.openPdf(argv[1]);
        Tell("ready");
        Request request;
        while (ReadRequest(request)) {
            Tell(Draw(module, *pages, request));
        }
    } catch (const std::exception& error) {
        Tell(std::string("error ") + error.what());
        return 1;
    }
    return 0;
}
