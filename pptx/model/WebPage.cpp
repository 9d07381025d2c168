#include "pptx/model/WebPage.hpp"

#include <algorithm>
#include <string_view>
#include <system_error>
#include <vector>

#include "host/HostError.hpp"
#include "platform/AtomicFile.hpp"
#include "pptx/parts/Deck.hpp"
#include "pptx/parts/Media.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::model {

namespace {

struct WebPicture {
    std::string part;
    std::string content;
    std::string file;
};

// The picture parts the slide's shapes show (a:blip r:embed), in the order
// the slide draws them; links to parts that are gone or hold no picture
// are passed over.
void CollectPictures(parts::Deck& deck, parts::SlidePart& slide, pugi::xml_node node, std::vector<WebPicture>& found)
{
    for (auto attribute : node.attributes()) {
        const std::string_view name = attribute.name();
        const auto colon = name.find(':');
        if (std::string_view(node.name()).ends_with("blip") && colon != std::string_view::npos &&
            name.substr(colon + 1) == "embed") {
            std::string part;
            try {
                part = slide.RelatedPart(attribute.value());
            } catch (const host::HostError&) {
                continue;
            }
            const bool known = std::any_of(found.begin(), found.end(), [&](const auto& p) { return p.part == part; });
            if (auto content = deck.ImageContent(part); content && !known) {
                found.push_back({part, std::move(*content), {}});
            }
        }
    }
    for (auto child : node.children()) {
        CollectPictures(deck, slide, child, found);
    }
}

std::string Extension(const std::string& content)
{
    const std::string sniffed = parts::SniffPicture(content)->extension;
    return sniffed == "jpeg" ? "jpg" : sniffed;
}

std::string NumberedName(std::size_t number, const std::string& extension)
{
    std::string digits = std::to_string(number);
    digits.insert(0, digits.size() < 3 ? 3 - digits.size() : 0, '0');
    return "image" + digits + "." + extension;
}

std::string Page(const std::string& folderName, const std::vector<WebPicture>& pictures)
{
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n";
    for (const auto& picture : pictures) {
        html += "<p><img src=\"" + folderName + "/" + picture.file + "\"></p>\n";
    }
    return html + "</body></html>\n";
}

void WriteFolder(const std::filesystem::path& folder, const std::vector<WebPicture>& pictures)
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    for (const auto& picture : pictures) {
        platform::WriteFileAtomically(folder / picture.file, picture.content);
    }
}

}  // namespace

void SaveWebPage(parts::Deck& deck, const std::filesystem::path& page)
{
    std::vector<WebPicture> pictures;
    for (const auto& entry : deck.Presentation().Slides()) {
        auto slide = deck.Slide(entry.id);
        CollectPictures(deck, *slide, slide->Root(), pictures);
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        pictures[i].file = NumberedName(i + 1, Extension(pictures[i].content));
    }
    const auto folder = std::filesystem::path(page).replace_extension(".files");
    try {
        WriteFolder(folder, pictures);
        platform::WriteFileAtomically(page, Page(folder.filename().string(), pictures));
    } catch (const std::system_error& error) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        throw host::HostError("the web page " + page.string() + " cannot be written: " + error.what());
    }
}

}  // namespace velmora::pptx::model
