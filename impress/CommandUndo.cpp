#include "impress/CommandUndo.hpp"

namespace velmora::impress {

CommandUndo::CommandUndo(rtl::OUString title, std::vector<ChangeLog::Change> changes)
    : title_(std::move(title)), changes_(std::move(changes))
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
}

void CommandUndo::redo()
{
    for (const ChangeLog::Change& change : changes_) {
        change.redo();
    }
}

}  // namespace velmora::impress
