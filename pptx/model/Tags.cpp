#include "pptx/model/Tags.hpp"

#include "host/HostError.hpp"
#include "platform/SlideTagProperties.hpp"
#include "pptx/model/Presentation.hpp"

namespace velmora::pptx::model {

Tags::Tags(std::shared_ptr<Presentation> presentation, std::function<Holder()> locate, std::function<void()> touch,
           std::function<int()> slideIndex)
    : presentation_(std::move(presentation)),
      locate_(std::move(locate)),
      touch_(std::move(touch)),
      slideIndex_(std::move(slideIndex))
{
}

std::optional<std::string> Tags::Mirrored(const std::string& name) const
{
    if (!slideIndex_) {
        return std::nullopt;
    }
    const auto properties = presentation_->Deck().CustomProperties(false);
    return properties ? properties->Find(platform::SlideTagProperty(slideIndex_(), name)) : std::nullopt;
}

// Writes the tag's property, or deletes it when `value` is none.
void Tags::Mirror(const std::string& name, const std::optional<std::string>& value)
{
    if (!slideIndex_ || platform::IsBookkeepingTag(name)) {
        return;
    }
    const std::string property = platform::SlideTagProperty(slideIndex_(), name);
    if (value) {
        presentation_->Deck().CustomProperties(true)->Set(property, *value);
    } else if (const auto properties = presentation_->Deck().CustomProperties(false)) {
        properties->Delete(property);
    }
}

std::shared_ptr<parts::TagsPart> Tags::Part(bool create) const
{
    Holder holder = locate_();
    return presentation_->Deck().Tags(*holder.part, holder.node, create);
}

std::shared_ptr<parts::TagsPart> Tags::Existing(int index) const
{
    std::shared_ptr<parts::TagsPart> part = Part(false);
    if (!part || index < 1 || index > part->Count()) {
        throw host::HostError("tag " + std::to_string(index) + " is out of range");
    }
    return part;
}

int Tags::Count() const
{
    std::shared_ptr<parts::TagsPart> part = Part(false);
    return part ? part->Count() : 0;
}

std::string Tags::Name(int index) const
{
    return Existing(index)->NameAt(index - 1);
}

std::string Tags::Value(int index) const
{
    return Existing(index)->ValueAt(index - 1);
}

std::string Tags::Item(const std::string& name) const
{
    std::shared_ptr<parts::TagsPart> part = Part(false);
    if (auto value = part ? part->Find(name) : std::nullopt) {
        return *value;
    }
    return Mirrored(name).value_or("");
}

void Tags::Add(const std::string& name, const std::string& value)
{
    if (name.empty()) {
        throw host::HostError("a tag needs a name");
    }
    touch_();
    Part(true)->Set(name, value);
    Mirror(name, value);
    presentation_->MarkChanged();
}

void Tags::Delete(const std::string& name)
{
    std::shared_ptr<parts::TagsPart> part = Part(false);
    const bool inPart = part && part->Find(name);
    if (!inPart && !Mirrored(name)) {
        return;
    }
    touch_();
    if (inPart) {
        part->Delete(name);
    }
    Mirror(name, std::nullopt);
    presentation_->MarkChanged();
}

}  // namespace velmora::pptx::model
