#pragma once

#include <filesystem>

namespace velmora::pptx::parts {
class Deck;
}

namespace velmora::pptx::model {

// The presentation as a web page: `page` shows the pictures of its slides,
// in slide order, from the resource folder beside it (the page's name
// without extension + ".files"). Each picture a shape shows is written
// there once as "image" + three-digit number + its format's extension
// (".jpg", ".png", ".gif", ".bmp"). Both are written whole or not at all.
void SaveWebPage(parts::Deck& deck, const std::filesystem::path& page);

}  // namespace velmora::pptx::model
