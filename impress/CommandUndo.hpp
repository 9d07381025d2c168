#pragma once

#include <vector>

#include <com/sun/star/document/XUndoAction.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/weakref.hxx>

#include "impress/host/ChangeLog.hpp"

namespace velmora::impress {

// One Velmora command on Impress's undo stack: undo takes back every change
// the command made, newest first; redo makes them again in order. Either
// leaves the document modified, as Impress's own steps do.
class CommandUndo : public cppu::WeakImplHelper1<css::document::XUndoAction> {
public:
    CommandUndo(rtl::OUString title, std::vector<ChangeLog::Change> changes,
                const css::uno::Reference<css::frame::XModel>& document);

    rtl::OUString SAL_CALL getTitle() override;
    void SAL_CALL undo() override;
    void SAL_CALL redo() override;

private:
    rtl::OUString title_;
    std::vector<ChangeLog::Change> changes_;
    // Weak: the document holds its undo stack, and the stack this action.
    css::uno::WeakReference<css::util::XModifiable> document_;
};

// Marks the document changed: the shape and text API leave some changes
// unmarked, and an unmarked document shows as saved and closes without asking.
void MarkModified(const css::uno::Reference<css::util::XModifiable>& document);

}  // namespace velmora::impress
