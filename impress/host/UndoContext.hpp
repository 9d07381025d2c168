#pragma once

#include <string>

#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/frame/XModel.hpp>

namespace velmora::impress {

// One command as one step on the document's undo stack: what Impress
// records by itself (pages removed through the page API) and the host's own
// undo action go into one context named after the command. A context left
// empty leaves no step behind.
class UndoContext {
public:
    UndoContext(const css::uno::Reference<css::frame::XModel>& model, const std::string& title);
    ~UndoContext();
    UndoContext(const UndoContext&) = delete;
    UndoContext& operator=(const UndoContext&) = delete;

    void Leave();
    // Leaves the context and undoes it at once, for a command that failed
    // part-way; the step is not left to redo. Only for a context that holds
    // something: an empty one leaves no step, and undo would take back the
    // user's own last step.
    void LeaveAndUndo();

private:
    css::uno::Reference<css::document::XUndoManager> manager_;
    bool open_ = false;
};

}  // namespace velmora::impress
