#include "pptx/shapes/DocumentFont.hpp"

#include <cmath>
#include <string_view>
#include <utility>

#include "host/HostError.hpp"
#include "pptx/shapes/Agreement.hpp"
#include "pptx/shapes/DocumentColor.hpp"
#include "pptx/shapes/DrawingColor.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeProperties.hpp"
#include "pptx/shapes/ShapeTreeOwner.hpp"
#include "pptx/shapes/TextRuns.hpp"
#include "pptx/shapes/TriStates.hpp"

namespace velmora::pptx::shapes {

namespace {

constexpr float kDefaultPoints = 18;
constexpr float kSmallestPoints = 1;
constexpr float kLargestPoints = 4000;
constexpr host::Color kBlack = 0;

// A theme font reference reads as the theme's font; one the theme leaves
// empty stays as written, since a font name cannot be empty.
std::optional<std::string> TypefaceIn(pugi::xml_node properties, const char* slot, const ThemeResolver& theme)
{
    const auto typeface = Child(properties, slot).attribute("typeface");
    if (!typeface) {
        return std::nullopt;
    }
    const auto resolved = theme.Typeface(typeface.value());
    return resolved.empty() ? typeface.value() : resolved;
}

std::optional<bool> ShadowIn(pugi::xml_node properties)
{
    const auto effects = Child(properties, "effectLst");
    return effects ? std::optional<bool>(Child(effects, "outerShdw")) : std::nullopt;
}

// The soft shadow the presentation program gives text.
void AddShadow(pugi::xml_node properties)
{
    auto effects = EnsureChild(properties, "a:effectLst");
    if (Child(effects, "outerShdw")) {
        return;
    }
    auto later = effects.first_child();
    while (later && !IsAnyOf(later, {"prstShdw", "reflection", "softEdge"})) {
        later = later.next_sibling();
    }
    auto shadow = later ? effects.insert_child_before("a:outerShdw", later) : effects.append_child("a:outerShdw");
    SetAttribute(shadow, "blurRad", 38100);
    SetAttribute(shadow, "dist", 38100);
    SetAttribute(shadow, "dir", 2700000);
    SetAttribute(shadow, "algn", "tl");
    auto color = shadow.append_child("a:srgbClr");
    SetAttribute(color, "val", "000000");
    SetAttribute(color.append_child("a:alpha"), "val", 43137);
}

void CheckFontName(const std::string& value)
{
    if (value.empty()) {
        throw host::HostError("a font name cannot be empty");
    }
}

}  // namespace

DocumentFont::DocumentFont(std::vector<TextSite> sites, std::optional<std::size_t> run)
    : sites_(std::move(sites)), run_(run)
{
}

template <typename T>
T DocumentFont::Read(const std::function<std::optional<T>(pugi::xml_node)>& read, T fallback, T mixed) const
{
    std::vector<T> values;
    std::size_t index = 0;
    for (const auto& site : sites_) {
        const auto styles = site.ListStyles();
        for (const auto& run : TextRuns(site.Body())) {
            if (!run_ || *run_ == index++) {
                values.push_back(ResolveRun(run, styles, read, fallback));
            }
        }
    }
    return Agreed(values, [](const T& value) { return value; }, mixed);
}

void DocumentFont::Write(const std::function<void(pugi::xml_node)>& write, bool resizes)
{
    std::size_t index = 0;
    for (const auto& site : sites_) {
        if (!run_) {
            for (auto properties : EnsureRunProperties(site.EnsureBody())) {
                write(properties);
            }
        } else {
            const auto runs = TextRuns(site.Body());
            const bool here = *run_ >= index && *run_ - index < runs.size();
            const std::size_t first = index;
            index += runs.size();
            if (!here) {
                continue;
            }
            if (auto properties = EnsureRunProperties(runs[*run_ - first])) {
                write(properties);
            }
        }
        if (resizes) {
            site.Resized();
        } else {
            site.Changed();
        }
    }
}

std::string DocumentFont::Typeface(const char* slot) const
{
    const auto theme = Theme();
    return Read<std::string>(
        [slot, &theme](pugi::xml_node properties) { return TypefaceIn(properties, slot, theme); }, "", "");
}

ThemeResolver DocumentFont::Theme() const
{
    return sites_.empty() ? ThemeResolver() : sites_.front().owner->Theme();
}

void DocumentFont::SetTypeface(const char* slot, const std::string& value)
{
    CheckFontName(value);
    Write([&](pugi::xml_node properties) {
        auto font = EnsureChild(properties, slot);
        // The old font's classification would mislead font substitution.
        for (const char* stale : {"panose", "pitchFamily", "charset"}) {
            font.remove_attribute(stale);
        }
        SetAttribute(font, "typeface", value.c_str());
    });
}

std::string DocumentFont::Name() const { return Typeface("a:latin"); }
void DocumentFont::SetName(const std::string& value) { SetTypeface("a:latin", value); }
std::string DocumentFont::NameFarEast() const { return Typeface("a:ea"); }
void DocumentFont::SetNameFarEast(const std::string& value) { SetTypeface("a:ea", value); }
std::string DocumentFont::NameAscii() const { return Typeface("a:latin"); }
void DocumentFont::SetNameAscii(const std::string& value) { SetTypeface("a:latin", value); }
std::string DocumentFont::NameOther() const { return Typeface("a:latin"); }
void DocumentFont::SetNameOther(const std::string& value) { SetTypeface("a:latin", value); }
std::string DocumentFont::NameComplexScript() const { return Typeface("a:cs"); }
void DocumentFont::SetNameComplexScript(const std::string& value) { SetTypeface("a:cs", value); }

float DocumentFont::Size() const
{
    return Read<float>(
        [](pugi::xml_node properties) -> std::optional<float> {
            const auto size = IntAttribute(properties, "sz", 0);
            return size > 0 ? std::optional<float>(static_cast<float>(size) / 100) : std::nullopt;
        },
        kDefaultPoints, host::FontSize::Mixed);
}

void DocumentFont::SetSize(float points)
{
    if (!(points >= kSmallestPoints && points <= kLargestPoints)) {
        throw host::HostError("font size " + std::to_string(points) + " is out of range (1 to 4000 points)");
    }
    const auto hundredths = std::lround(points * 100);
    Write([hundredths](pugi::xml_node properties) { SetAttribute(properties, "sz", hundredths); }, true);
}

int DocumentFont::Flag(const char* attribute) const
{
    return Read<int>(
        [attribute](pugi::xml_node properties) -> std::optional<int> {
            if (!properties.attribute(attribute)) {
                return std::nullopt;
            }
            return ToTriState(BoolAttribute(properties, attribute, false));
        },
        host::TriState::False, host::TriState::Mixed);
}

void DocumentFont::SetFlag(const char* attribute, int triState)
{
    const char* value = FromTriState(triState) ? "1" : "0";
    Write([&](pugi::xml_node properties) { SetAttribute(properties, attribute, value); });
}

int DocumentFont::Bold() const { return Flag("b"); }
void DocumentFont::SetBold(int triState) { SetFlag("b", triState); }
int DocumentFont::Italic() const { return Flag("i"); }
void DocumentFont::SetItalic(int triState) { SetFlag("i", triState); }

int DocumentFont::Underline() const
{
    return Read<int>(
        [](pugi::xml_node properties) -> std::optional<int> {
            const auto underline = properties.attribute("u");
            if (!underline) {
                return std::nullopt;
            }
            return ToTriState(std::string_view(underline.value()) != "none");
        },
        host::TriState::False, host::TriState::Mixed);
}

void DocumentFont::SetUnderline(int triState)
{
    const char* value = FromTriState(triState) ? "sng" : "none";
    Write([&](pugi::xml_node properties) { SetAttribute(properties, "u", value); });
}

int DocumentFont::Shadow() const
{
    return Read<int>(
        [](pugi::xml_node properties) -> std::optional<int> {
            const auto shadow = ShadowIn(properties);
            return shadow ? std::optional<int>(ToTriState(*shadow)) : std::nullopt;
        },
        host::TriState::False, host::TriState::Mixed);
}

void DocumentFont::SetShadow(int triState)
{
    if (FromTriState(triState)) {
        Write(AddShadow);
    } else {
        Write([](pugi::xml_node properties) { RemoveChildren(EnsureChild(properties, "a:effectLst"), {"outerShdw"}); });
    }
}

// Colours have no mixed value: the first run's colour answers.
host::Ref<host::ColorFormat> DocumentFont::Color()
{
    auto self = std::make_shared<DocumentFont>(sites_);
    return std::make_shared<DocumentColor>(
        [self] {
            if (self->sites_.empty()) {
                throw host::HostError("there is no text to read");
            }
            const auto& site = self->sites_.front();
            const auto theme = self->Theme();
            return ResolveRun<host::Color>(
                TextRuns(site.Body()).front(), site.ListStyles(),
                [&theme](pugi::xml_node properties) { return FillColor(FillOf(properties), theme); }, kBlack);
        },
        [self](host::Color color) {
            self->Write([color](pugi::xml_node properties) { WriteColor(ReplaceFill(properties, "a:solidFill"), color); });
        });
}

}  // namespace velmora::pptx::shapes
