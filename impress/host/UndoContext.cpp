#include "impress/host/UndoContext.hpp"

#include <com/sun/star/document/XUndoManagerSupplier.hpp>

#include "impress/UnoText.hpp"

namespace velmora::impress {

using css::uno::Reference;
using css::uno::UNO_QUERY;

UndoContext::UndoContext(const Reference<css::frame::XModel>& model, const std::string& title)
{
    const Reference<css::document::XUndoManagerSupplier> supplier(model, UNO_QUERY);
    if (!supplier.is()) {
        return;
    }
    manager_ = supplier->getUndoManager();
    manager_->enterUndoContext(ToUno(title));
    open_ = true;
}

UndoContext::~UndoContext()
{
    try {
        Leave();
    } catch (const css::uno::Exception&) {
        // The document went away with its undo stack.
    }
}

void UndoContext::Leave()
{
    if (open_) {
        open_ = false;
        manager_->leaveUndoContext();
    }
}

void UndoContext::LeaveAndUndo()
{
    if (!open_) {
        return;
    }
    Leave();
    manager_->undo();
    manager_->clearRedo();
}

}  // namespace velmora::impress
