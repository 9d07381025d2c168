#include "impress/CommandUndo.hpp"

#include <com/sun/star/beans/PropertyVetoException.hpp>

namespace velmora::impress {

void MarkModified(const css::uno::Reference<css::util::XModifiable>& document)
{
    if (!document.is()) {
        return;
    }
    try {
        document->setModified(true);
    } catch (const css::beans::PropertyVetoException&) {
        // A read-only document keeps its flag; it took no change either.
    }
}

CommandUndo::CommandUndo(rtl::OUString title, std::vector<ChangeLog::Change> changes,
                         const css::uno::Reference<css::frame::XModel>& document)
    : title_(std::move(title)),
      changes_(std::move(changes)),
      document_(css::uno::Reference<css::util::XModifiable>(document, css::uno::UNO_QUERY))
{
}

rtl::OUString CommandUndo::getTitle()
{
    return title_;
}

void CommandUndo::undo()
{
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        change->undo();
    }
    MarkModified(document_);
}

void CommandUndo::redo()
{
    for (const ChangeLog::Change& change : changes_) {
        change.redo();
    }
    MarkModified(document_);
}

}  // namespace velmora::impress
