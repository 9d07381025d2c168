#include "impress/host/ImpressTimeLine.hpp"

#include <com/sun/star/animations/XAnimationNodeSupplier.hpp>
#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/presentation/EffectNodeType.hpp>

#include "host/HostError.hpp"

namespace velmora::impress {

using css::animations::XAnimationNode;
using css::animations::XTimeContainer;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

std::vector<Reference<XAnimationNode>> Children(const Reference<XAnimationNode>& node)
{
    std::vector<Reference<XAnimationNode>> children;
    const Reference<css::container::XEnumerationAccess> access(node, UNO_QUERY);
    if (!access.is()) {
        return children;
    }
    const auto list = access->createEnumeration();
    while (list->hasMoreElements()) {
        const Reference<XAnimationNode> child(list->nextElement(), UNO_QUERY);
        if (child.is()) {
            children.push_back(child);
        }
    }
    return children;
}

sal_Int16 NodeType(const Reference<XAnimationNode>& node)
{
    sal_Int16 type = css::presentation::EffectNodeType::DEFAULT;
    for (const css::beans::NamedValue& value : node->getUserData()) {
        if (value.Name == "node-type") {
            value.Value >>= type;
        }
    }
    return type;
}

// Impress keeps its own list of a slide's effects (the one its sidebar and
// slide pane show and write back when an effect is added) and reads the tree
// again when a node under the root reports a change. Taking a child out or
// putting it back reports none, so the container reports one itself.
void ReportChange(const Reference<XAnimationNode>& container)
{
    container->setUserData(container->getUserData());
}

// Takes a node out of its container, recording where it stood.
void Remove(LiveDocument& document, const Reference<XAnimationNode>& parentNode, const Reference<XAnimationNode>& node)
{
    const Reference<XTimeContainer> parent(parentNode, UNO_QUERY_THROW);
    const auto siblings = Children(parentNode);
    Reference<XAnimationNode> next;
    for (std::size_t i = 0; i + 1 < siblings.size(); ++i) {
        if (siblings[i] == node) {
            next = siblings[i + 1];
        }
    }
    parent->removeChild(node);
    ReportChange(parentNode);
    document.changes.Record(
        [parent, parentNode, node, next] {
            if (next.is()) {
                parent->insertBefore(node, next);
            } else {
                parent->appendChild(node);
            }
            ReportChange(parentNode);
        },
        [parent, parentNode, node] {
            parent->removeChild(node);
            ReportChange(parentNode);
        });
}

class ImpressEffect : public host::Effect {
public:
    ImpressEffect(std::shared_ptr<LiveDocument> document, EffectPath path, int index)
        : document_(std::move(document)), path_(std::move(path)), index_(index)
    {
    }

    int Index() const override { return index_; }

    // Containers left empty go with the effect, as they do when Impress
    // removes an effect.
    void Delete() override
    {
        for (std::size_t level = path_.nodes.size() - 1; level >= 1; --level) {
            Remove(*document_, path_.nodes[level - 1], path_.nodes[level]);
            if (level == 1 || !Children(path_.nodes[level - 1]).empty()) {
                break;
            }
        }
    }

private:
    std::shared_ptr<LiveDocument> document_;
    EffectPath path_;
    int index_;
};

}  // namespace

ImpressTimeLine::ImpressTimeLine(std::shared_ptr<LiveDocument> document, Reference<css::drawing::XDrawPage> page)
    : document_(std::move(document)), page_(std::move(page))
{
}

std::vector<Reference<XAnimationNode>> ImpressTimeLine::Sequences(bool main) const
{
    const Reference<css::animations::XAnimationNodeSupplier> supplier(page_, UNO_QUERY);
    std::vector<Reference<XAnimationNode>> sequences;
    if (!supplier.is() || !supplier->getAnimationNode().is()) {
        return sequences;
    }
    for (const auto& child : Children(supplier->getAnimationNode())) {
        const sal_Int16 type = NodeType(child);
        if ((main && type == css::presentation::EffectNodeType::MAIN_SEQUENCE) ||
            (!main && type == css::presentation::EffectNodeType::INTERACTIVE_SEQUENCE)) {
            sequences.push_back(child);
        }
    }
    return sequences;
}

host::Ref<host::Sequence> ImpressTimeLine::MainSequence()
{
    const auto sequences = Sequences(true);
    return std::make_shared<ImpressSequence>(document_, sequences.empty() ? nullptr : sequences.front());
}

int ImpressTimeLine::InteractiveSequenceCount() const
{
    return static_cast<int>(Sequences(false).size());
}

ImpressSequence::ImpressSequence(std::shared_ptr<LiveDocument> document, Reference<XAnimationNode> sequence)
    : document_(std::move(document)), sequence_(std::move(sequence))
{
}

std::vector<EffectPath> ImpressSequence::Effects() const
{
    std::vector<EffectPath> effects;
    if (!sequence_.is()) {
        return effects;
    }
    for (const auto& click : Children(sequence_)) {
        for (const auto& group : Children(click)) {
            for (const auto& effect : Children(group)) {
                effects.push_back({{sequence_, click, group, effect}});
            }
        }
    }
    return effects;
}

int ImpressSequence::Count() const
{
    return static_cast<int>(Effects().size());
}

host::Ref<host::Effect> ImpressSequence::Item(int index)
{
    auto effects = Effects();
    if (index < 1 || index > static_cast<int>(effects.size())) {
        throw host::HostError("the sequence has no effect " + std::to_string(index));
    }
    return std::make_shared<ImpressEffect>(document_, std::move(effects[static_cast<std::size_t>(index - 1)]), index);
}

host::Ref<host::Effect> ImpressSequence::AddEffect(const host::Ref<host::Shape>&, int)
{
    NotInImpress("Sequence.AddEffect");
}

}  // namespace velmora::impress
