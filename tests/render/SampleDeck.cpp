#include "tests/render/SampleDeck.hpp"

#include <fstream>
#include <set>
#include <sstream>

#include "render/LibreOffice.hpp"

namespace velmora::testing {

namespace {

std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Points(double value)
{
    std::ostringstream out;
    out << value << "pt";
    return out.str();
}

std::string FillStyleName(const std::string& colour)
{
    return "fill" + colour.substr(1);
}

std::string TextStyleName(const std::string& font)
{
    std::ostringstream name;
    name << "text";
    for (const unsigned char c : font) {
        name << std::hex << static_cast<int>(c);
    }
    return name.str();
}

std::string AutomaticStyles(const std::vector<SampleSlide>& slides)
{
    std::set<std::string> colours;
    std::set<std::string> fonts;
    for (const SampleSlide& slide : slides) {
        for (const SampleBox& box : slide.boxes) {
            colours.insert(box.colour);
        }
        fonts.insert(slide.font);
    }
    std::ostringstream out;
    out << "<style:page-layout style:name=\"PM1\"><style:page-layout-properties fo:margin-top=\"0pt\""
           " fo:margin-bottom=\"0pt\" fo:margin-left=\"0pt\" fo:margin-right=\"0pt\" fo:page-width=\""
        << Points(kSampleSlideWidth) << "\" fo:page-height=\"" << Points(kSampleSlideHeight)
        << "\" style:print-orientation=\"landscape\"/></style:page-layout>\n";
    for (const char* visibility : {"visible", "hidden"}) {
        out << "<style:style style:name=\"" << visibility << "\" style:family=\"drawing-page\">"
            << "<style:drawing-page-properties draw:fill=\"solid\" draw:fill-color=\"#ffffff\""
            << " presentation:visibility=\"" << visibility << "\"/></style:style>\n";
    }
    for (const std::string& colour : colours) {
        out << "<style:style style:name=\"" << FillStyleName(colour) << "\" style:family=\"graphic\">"
            << "<style:graphic-properties draw:stroke=\"none\" draw:fill=\"solid\" draw:fill-color=\"" << colour
            << "\"/></style:style>\n";
    }
    out << "<style:style style:name=\"caption\" style:family=\"graphic\"><style:graphic-properties draw:stroke=\"none\""
           " draw:fill=\"none\"/></style:style>\n";
    for (const std::string& font : fonts) {
        out << "<style:style style:name=\"" << TextStyleName(font) << "\" style:family=\"text\"><style:text-properties"
            << " fo:font-size=\"28pt\" style:font-size-asian=\"28pt\" fo:color=\"#000000\"";
        if (!font.empty()) {
            out << " fo:font-family=\"" << Escaped(font) << "\" style:font-family-asian=\"" << Escaped(font) << "\"";
        }
        out << "/></style:style>\n";
    }
    return out.str();
}

std::string Page(const SampleSlide& slide, std::size_t number)
{
    std::ostringstream out;
    out << "<draw:page draw:name=\"page" << number << "\" draw:master-page-name=\"Default\" draw:style-name=\""
        << (slide.hidden ? "hidden" : "visible") << "\">";
    for (const SampleBox& box : slide.boxes) {
        out << "<draw:rect draw:style-name=\"" << FillStyleName(box.colour) << "\" svg:x=\"" << Points(box.left)
            << "\" svg:y=\"" << Points(box.top) << "\" svg:width=\"" << Points(box.width) << "\" svg:height=\""
            << Points(box.height) << "\"/>";
    }
    if (!slide.text.empty()) {
        out << "<draw:frame draw:style-name=\"caption\" svg:x=\"36pt\" svg:y=\"460pt\" svg:width=\"648pt\""
               " svg:height=\"60pt\"><draw:text-box><text:p><text:span text:style-name=\""
            << TextStyleName(slide.font) << "\">" << Escaped(slide.text)
            << "</text:span></text:p></draw:text-box></draw:frame>";
    }
    out << "</draw:page>\n";
    return out.str();
}

std::string FlatOdp(const std::vector<SampleSlide>& slides)
{
    std::ostringstream out;
    out << R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:styles><style:style style:name="standard" style:family="graphic"/></office:styles>
<office:automatic-styles>
)" << AutomaticStyles(slides)
        << R"(</office:automatic-styles>
<office:master-styles>
<style:master-page style:name="Default" style:page-layout-name="PM1" draw:style-name="visible"/>
</office:master-styles>
<office:body><office:presentation>
)";
    for (std::size_t i = 0; i < slides.size(); ++i) {
        out << Page(slides[i], i + 1);
    }
    out << "</office:presentation></office:body></office:document>\n";
    return out.str();
}

}  // namespace

std::filesystem::path WriteSampleDeck(const std::filesystem::path& folder, const std::string& name,
                                      const std::vector<SampleSlide>& slides)
{
    const std::filesystem::path flat = folder / (name + ".fodp");
    std::ofstream(flat) << FlatOdp(slides);
    const std::filesystem::path work = folder / (name + "-office");
    std::filesystem::create_directory(work);
    const std::filesystem::path pptx = folder / (name + ".pptx");
    render::LibreOffice("soffice", work, std::chrono::seconds(180)).Convert(flat, "pptx", pptx);
    return pptx;
}

}  // namespace velmora::testing
