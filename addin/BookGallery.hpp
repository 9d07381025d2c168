#pragma once

#include <array>
#include <string_view>

namespace velmora::addin {

// An item of the PPTBooks gallery; its cover is bitmap 105 + its index.
struct GalleryBook {
    std::string_view label;
    std::string_view supertip;
    // Its web page, on the book site (the endpoint BookSite).
    std::string_view page;
};

inline constexpr int kGalleryCoverBase = 105;

const std::array<GalleryBook, 9>& RecommendedBooks();

}  // namespace velmora::addin
