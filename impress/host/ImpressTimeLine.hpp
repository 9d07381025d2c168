#pragma once

#include <memory>
#include <vector>

#include <com/sun/star/animations/XAnimationNode.hpp>
#include <com/sun/star/animations/XTimeContainer.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>

#include "host/Slide.hpp"
#include "impress/host/LiveDocument.hpp"

namespace velmora::impress {

// A slide's animations. Impress keeps them as a tree under the page's root
// node: the main sequence holds one node per click, each holds the effects
// that start together, and those hold the effects themselves.
class ImpressTimeLine : public host::TimeLine {
public:
    ImpressTimeLine(std::shared_ptr<LiveDocument> document, css::uno::Reference<css::drawing::XDrawPage> page);

    host::Ref<host::Sequence> MainSequence() override;
    int InteractiveSequenceCount() const override;

private:
    std::vector<css::uno::Reference<css::animations::XAnimationNode>> Sequences(bool main) const;

    std::shared_ptr<LiveDocument> document_;
    css::uno::Reference<css::drawing::XDrawPage> page_;
};

// An effect and the nodes above it up to its sequence.
struct EffectPath {
    std::vector<css::uno::Reference<css::animations::XAnimationNode>> nodes;  // sequence first, effect last
};

class ImpressSequence : public host::Sequence {
public:
    ImpressSequence(std::shared_ptr<LiveDocument> document,
                    css::uno::Reference<css::animations::XAnimationNode> sequence);

    int Count() const override;
    host::Ref<host::Effect> Item(int index) override;
    host::Ref<host::Effect> AddEffect(const host::Ref<host::Shape>& shape, int effectType) override;

private:
    std::vector<EffectPath> Effects() const;

    std::shared_ptr<LiveDocument> document_;
    css::uno::Reference<css::animations::XAnimationNode> sequence_;
};

}  // namespace velmora::impress
