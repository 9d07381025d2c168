#include "pptx/shapes/DocumentPlaceholderFormat.hpp"

#include <string_view>
#include <utility>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "pptx/shapes/ShapeElement.hpp"

namespace velmora::pptx::shapes {

namespace {

using namespace host::PlaceholderType;

constexpr std::pair<std::string_view, int> kTypes[] = {
    {"title", Title},      {"body", Body},     {"ctrTitle", CenterTitle}, {"subTitle", Subtitle},
    {"obj", Object},       {"chart", Chart},   {"clipArt", Bitmap},       {"media", MediaClip},
    {"dgm", OrgChart},     {"tbl", Table},     {"sldNum", SlideNumber},   {"hdr", Header},
    {"ftr", Footer},       {"dt", Date},       {"pic", Picture},
    // The slide picture of a notes page counts as its title, as in the presentation program.
    {"sldImg", Title},
};

int Vertical(int type)
{
    switch (type) {
    case host::PlaceholderType::Title: return host::PlaceholderType::VerticalTitle;
    case host::PlaceholderType::Body: return host::PlaceholderType::VerticalBody;
    case host::PlaceholderType::Object: return host::PlaceholderType::VerticalObject;
    default: return type;
    }
}

}  // namespace

DocumentPlaceholderFormat::DocumentPlaceholderFormat(pugi::xml_node shape) : placeholder_(PlaceholderOf(shape))
{
    if (!placeholder_) {
        throw host::HostError("the shape \"" + ShapeNameOf(shape) + "\" is no placeholder");
    }
}

int DocumentPlaceholderFormat::Type() const
{
    // A placeholder without a type is a content (object) placeholder.
    const pugi::xml_attribute written = placeholder_.attribute("type");
    const std::string_view type = written ? written.value() : "obj";
    int code = host::PlaceholderType::Object;
    for (const auto& [name, value] : kTypes) {
        if (name == type) {
            code = value;
        }
    }
    return std::string_view(placeholder_.attribute("orient").value()) == "vert" ? Vertical(code) : code;
}

}  // namespace velmora::pptx::shapes
