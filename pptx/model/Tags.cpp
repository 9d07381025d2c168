#include "pptx/model/Tags.hpp"

#include "host/HostError.hpp"
#include "pptx/model/Presentation.hpp"

namespace velmora::pptx::model {

Tags::Tags(std::shared_ptr<Presentation> presentation, std::function<Holder()> locate, std::function<void()> touch)
    : presentation_(std::move(presentation)), locate_(std::move(locate)), touch_(std::move(touch))
{
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
    return part ? part->Find(name).value_or("") : "";
}

void Tags::Add(const std::string& name, const std::string& value)
{
    if (name.empty()) {
        throw host::HostError("a tag needs a name");
    }
    touch_();
    Part(true)->Set(name, value);
    presentation_->MarkChanged();
}

void Tags::Delete(const std::string& name)
{
    if (std::shared_ptr<parts::TagsPart> part = Part(false); part && part->Find(name)) {
        touch_();
        part->Delete(name);
        presentation_->MarkChanged();
    }
}

}  // namespace velmora::pptx::model
