#pragma once

#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "host/Slide.hpp"
#include "pptx/parts/SlideParts.hpp"

namespace velmora::pptx::model {

class Presentation;

// The animations of one slide, found afresh on every call.
class TimeLine : public host::TimeLine {
public:
    TimeLine(std::shared_ptr<Presentation> presentation, unsigned slideId)
        : presentation_(std::move(presentation)), slideId_(slideId)
    {
    }

    host::Ref<host::Sequence> MainSequence() override;
    int InteractiveSequenceCount() const override;

private:
    std::shared_ptr<Presentation> presentation_;
    unsigned slideId_;
};

// The main sequence; effects are known by the id of their time node.
class Sequence : public host::Sequence {
public:
    Sequence(std::shared_ptr<Presentation> presentation, unsigned slideId)
        : presentation_(std::move(presentation)), slideId_(slideId)
    {
    }

    int Count() const override;
    host::Ref<host::Effect> Item(int index) override;
    host::Ref<host::Effect> AddEffect(const host::Ref<host::Shape>& shape, int effectType) override;

private:
    std::shared_ptr<Presentation> presentation_;
    unsigned slideId_;
};

class Effect : public host::Effect {
public:
    Effect(std::shared_ptr<Presentation> presentation, unsigned slideId, unsigned timeNodeId)
        : presentation_(std::move(presentation)), slideId_(slideId), timeNodeId_(timeNodeId)
    {
    }

    int Index() const override;
    void Delete() override;

private:
    std::shared_ptr<Presentation> presentation_;
    unsigned slideId_;
    unsigned timeNodeId_;
};

}  // namespace velmora::pptx::model
