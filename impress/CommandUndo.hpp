#pragma once

#include <vector>

#include <com/sun/star/document/XUndoAction.hpp>
#include <cppuhelper/implbase1.hxx>

#include "impress/host/ChangeLog.hpp"

namespace velmora::impress {

// One Velmora command on Impress's undo stack: undo takes back every change
// the command made, newest first; redo makes them again in order.
class CommandUndo : public cppu::WeakImplHelper1<css::document::XUndoAction> {
public:
    CommandUndo(rtl::OUString title, std::vector<ChangeLog::Change> changes);

    rtl::OUString SAL_CALL getTitle() override;
    void SAL_CALL undo() override;
    void SAL_CALL redo() override;

private:
    rtl::OUString title_;
    std::vector<ChangeLog::Change> changes_;
};

}  // namespace velmora::impress
