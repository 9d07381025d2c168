#include "pptx/model/TimeLine.hpp"

#include "host/HostError.hpp"
#include "host/Shape.hpp"
#include "pptx/model/Presentation.hpp"
#include "pptx/parts/Timing.hpp"
#include "pptx/shapes/DrawingXml.hpp"
#include "pptx/shapes/ShapeElement.hpp"
#include "pptx/xml/Elements.hpp"

namespace velmora::pptx::model {

namespace {

std::vector<pugi::xml_node> MainEffects(parts::SlidePart& slide)
{
    return parts::timing::Effects(parts::timing::MainSequence(slide.Root()));
}

unsigned TimeNodeId(pugi::xml_node effect)
{
    return xml::NumberAttribute<unsigned>(effect, "id", 0);
}

parts::timing::Entrance EntranceOf(int effectType)
{
    switch (effectType) {
    case host::EffectType::Appear:
        return parts::timing::Entrance::Appear;
    case host::EffectType::Fade:
        return parts::timing::Entrance::Fade;
    case host::EffectType::Fly:
        return parts::timing::Entrance::Fly;
    default:
        throw host::HostError("effect type " + std::to_string(effectType) + " is not supported yet");
    }
}

}  // namespace

host::Ref<host::Sequence> TimeLine::MainSequence()
{
    return std::make_shared<Sequence>(presentation_, slideId_);
}

int TimeLine::InteractiveSequenceCount() const
{
    return parts::timing::InteractiveSequenceCount(presentation_->Deck().Slide(slideId_)->Root());
}

int Sequence::Count() const
{
    return static_cast<int>(MainEffects(*presentation_->Deck().Slide(slideId_)).size());
}

host::Ref<host::Effect> Sequence::Item(int index)
{
    std::shared_ptr<parts::SlidePart> slide = presentation_->Deck().Slide(slideId_);
    std::vector<pugi::xml_node> effects = MainEffects(*slide);
    if (index < 1 || static_cast<std::size_t>(index) > effects.size()) {
        throw host::HostError("effect " + std::to_string(index) + " is out of range");
    }
    return std::make_shared<Effect>(presentation_, slideId_, TimeNodeId(effects[static_cast<std::size_t>(index - 1)]));
}

host::Ref<host::Effect> Sequence::AddEffect(const host::Ref<host::Shape>& shape, int effectType)
{
    const parts::timing::Entrance kind = EntranceOf(effectType);
    std::shared_ptr<parts::SlidePart> slide = presentation_->Deck().Slide(slideId_);
    const unsigned shapeId = static_cast<unsigned>(shape->Id());
    pugi::xml_node element = shapes::FindShapeById(slide->ShapeTree(), shapeId);
    if (!element) {
        throw host::HostError("the shape to animate is not on this slide");
    }
    const bool buildsText = shapes::Is(element, "sp") && shapes::Child(element, "txBody");
    pugi::xml_node effect = parts::timing::AddEntrance(slide->Root(), shapeId, kind, buildsText);
    slide->Touch();
    presentation_->MarkChanged();
    return std::make_shared<Effect>(presentation_, slideId_, TimeNodeId(effect));
}

int Effect::Index() const
{
    std::shared_ptr<parts::SlidePart> slide = presentation_->Deck().Slide(slideId_);
    std::vector<pugi::xml_node> effects = MainEffects(*slide);
    for (std::size_t i = 0; i < effects.size(); ++i) {
        if (TimeNodeId(effects[i]) == timeNodeId_) {
            return static_cast<int>(i) + 1;
        }
    }
    throw host::HostError("the effect was deleted");
}

void Effect::Delete()
{
    std::shared_ptr<parts::SlidePart> slide = presentation_->Deck().Slide(slideId_);
    for (pugi::xml_node effect : MainEffects(*slide)) {
        if (TimeNodeId(effect) == timeNodeId_) {
            parts::timing::DeleteEffect(slide->Root(), effect);
            slide->Touch();
            presentation_->MarkChanged();
            return;
        }
    }
    throw host::HostError("the effect was deleted");
}

}  // namespace velmora::pptx::model
