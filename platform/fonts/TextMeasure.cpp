#include "platform/fonts/TextMeasure.hpp"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <tuple>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H


namespace velmora::platform::fonts {

namespace {

struct FontFile {
    std::string path;
    int index = 0;

    bool operator<(const FontFile& other) const { return std::tie(path, index) < std::tie(other.path, other.index); }
};

// Faces opened once per process; fontconfig and FreeType are not
// thread-safe on shared objects, so every measurement holds the lock.
class FontCache {
public:
    FontCache()
    {
        if (FT_Init_FreeType(&library_) != 0) {
            throw std::runtime_error("FreeType cannot start");
        }
    }
    ~FontCache()
    {
        for (auto& [file, face] : faces_) {
            FT_Done_Face(face);
        }
        FT_Done_FreeType(library_);
    }
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    std::mutex& Lock() { return lock_; }

    // The face fontconfig picks for the family, or for the family and one
    // character it must hold.
    FT_Face Match(const std::string& family, bool bold, bool italic, char32_t needed = 0)
    {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        if (needed != 0) {
            FcCharSet* charset = FcCharSetCreate();
            FcCharSetAddChar(charset, needed);
            FcPatternAddCharSet(pattern, FC_CHARSET, charset);
            FcCharSetDestroy(charset);
        }
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        FT_Face face = nullptr;
        FcChar8* file = nullptr;
        int index = 0;
        if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            face = Open({reinterpret_cast<const char*>(file), index});
        }
        if (match != nullptr) {
            FcPatternDestroy(match);
        }
        return face;
    }

private:
    FT_Face Open(const FontFile& file)
    {
        if (auto known = faces_.find(file); known != faces_.end()) {
            return known->second;
        }
        FT_Face face = nullptr;
        if (FT_New_Face(library_, file.path.c_str(), file.index, &face) != 0) {
            return nullptr;
        }
        faces_.emplace(file, face);
        return face;
    }

    std::mutex lock_;
    FT_Library library_ = nullptr;
    std::map<FontFile, FT_Face> faces_;
};

FontCache& Fonts()
{
    static FontCache cache;
    return cache;
}

double Em(FT_Face face)
{
    return face->units_per_EM > 0 ? face->units_per_EM : 2048.0;
}

// Advance of one character in ems, unscaled and unhinted as a layout at any
// resolution sees it; 0 when the face has no glyph for it.
double AdvanceEms(FT_Face face, char32_t c)
{
    const FT_UInt glyph = FT_Get_Char_Index(face, c);
    if (glyph == 0 || FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) != 0) {
        return 0;
    }
    return static_cast<double>(face->glyph->advance.x) / Em(face);
}

double LineEms(FT_Face face)
{
    return static_cast<double>(face->height) / Em(face);
}

}  // namespace

TextExtent MeasureLine(const std::string& family, double points, const std::vector<char32_t>& text, bool bold,
                       bool italic)
{
    FontCache& fonts = Fonts();
    std::lock_guard<std::mutex> hold(fonts.Lock());
    FT_Face primary = fonts.Match(family, bold, italic);
    if (primary == nullptr) {
        throw std::runtime_error("no font can be found for \"" + family + "\"");
    }
    double widthEms = 0;
    double lineEms = LineEms(primary);
    for (char32_t c : text) {
        FT_Face face = primary;
        if (FT_Get_Char_Index(face, c) == 0) {
            if (FT_Face fallback = fonts.Match(family, bold, italic, c)) {
                face = fallback;
                lineEms = std::max(lineEms, LineEms(face));
            }
        }
        widthEms += AdvanceEms(face, c);
    }
    return {widthEms * points, lineEms * points};
}

}  // namespace velmora::platform::fonts
