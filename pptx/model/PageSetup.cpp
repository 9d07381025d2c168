#include "pptx/model/PageSetup.hpp"

#include <string_view>

#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/xml/Ooxml.hpp"

namespace velmora::pptx::model {

namespace {

struct NamedSize {
    int code;
    std::string_view type;
    std::int64_t width;  // EMU; 0 where the name fixes no size here
    std::int64_t height;
};

constexpr NamedSize kSizes[] = {
    {1, "screen4x3", 9144000, 6858000},   {2, "letter", 9144000, 6858000},   {3, "A4", 9906000, 6858000},
    {4, "35mm", 10287000, 6858000},       {5, "overhead", 9144000, 6858000}, {6, "banner", 7315200, 914400},
    {7, "custom", 0, 0},                  {8, "ledger", 12179300, 9134475},  {9, "A3", 12801600, 9601200},
    {10, "B4ISO", 10826750, 8120063},     {11, "B5ISO", 7169150, 5376863},   {12, "B4JIS", 10233025, 7677150},
    {13, "B5JIS", 7242175, 5434013},      {14, "hagakiCard", 3600450, 5327650},
    {15, "screen16x9", 9144000, 5143500}, {16, "screen16x10", 9144000, 5715000}};

std::int64_t Emu(float points)
{
    if (!(points > 0)) {
        throw host::HostError("a slide side must be longer than 0 points");
    }
    return ooxml::PointsToEmu(points);
}

}  // namespace

float PageSetup::SlideWidth() const
{
    return ooxml::EmuToPoints(presentation_->Deck().Presentation().Size().width);
}

float PageSetup::SlideHeight() const
{
    return ooxml::EmuToPoints(presentation_->Deck().Presentation().Size().height);
}

void PageSetup::SetSlideWidth(float points)
{
    parts::SlideSize size = presentation_->Deck().Presentation().Size();
    size.width = Emu(points);
    size.type = "custom";
    presentation_->Deck().Presentation().SetSize(size);
    presentation_->MarkChanged();
}

void PageSetup::SetSlideHeight(float points)
{
    parts::SlideSize size = presentation_->Deck().Presentation().Size();
    size.height = Emu(points);
    size.type = "custom";
    presentation_->Deck().Presentation().SetSize(size);
    presentation_->MarkChanged();
}

int PageSetup::SlideSize() const
{
    parts::SlideSize size = presentation_->Deck().Presentation().Size();
    for (const NamedSize& named : kSizes) {
        if (size.type.empty() ? named.width == size.width && named.height == size.height : named.type == size.type) {
            return named.code;
        }
    }
    return host::SlideSize::Custom;
}

void PageSetup::SetSlideSize(int value)
{
    for (const NamedSize& named : kSizes) {
        if (named.code == value) {
            parts::SlideSize size = presentation_->Deck().Presentation().Size();
            size.type = named.type;
            if (named.width != 0) {
                size.width = named.width;
                size.height = named.height;
            }
            presentation_->Deck().Presentation().SetSize(size);
            presentation_->MarkChanged();
            return;
        }
    }
    throw host::HostError("slide size " + std::to_string(value) + " is unknown");
}

}  // namespace velmora::pptx::model
