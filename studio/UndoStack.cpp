#include "studio/UndoStack.hpp"

namespace velmora::studio {

void UndoStack::Begin(const host::Ref<host::Presentation>& presentation, const QString& name)
{
    if (depth_++ > 0 || !presentation) {
        return;
    }
    run_ = Run{presentation, {name, pptx::KeepState(*presentation)}, pptx::Revision(*presentation)};
}

void UndoStack::End()
{
    if (depth_ == 0 || --depth_ > 0 || !run_) {
        return;
    }
    Run run = std::move(*run_);
    run_.reset();
    try {
        if (pptx::Revision(*run.presentation) == run.revision) {
            return;
        }
    } catch (const std::exception&) {
        // The command closed its presentation: there is nothing to undo in it.
        return;
    }
    undo_.push_back(std::move(run.before));
    redo_.clear();
    Trim();
}

bool UndoStack::Move(host::Presentation& presentation, std::deque<Step>& from, std::deque<Step>& to)
{
    if (from.empty()) {
        return false;
    }
    Step now{from.back().name, pptx::KeepState(presentation)};
    pptx::RestoreState(presentation, *from.back().state);
    from.pop_back();
    to.push_back(std::move(now));
    return true;
}

bool UndoStack::Undo(host::Presentation& presentation)
{
    return !Running() && Move(presentation, undo_, redo_);
}

bool UndoStack::Redo(host::Presentation& presentation)
{
    return !Running() && Move(presentation, redo_, undo_);
}

QString UndoStack::UndoName() const
{
    return undo_.empty() ? QString() : undo_.back().name;
}

QString UndoStack::RedoName() const
{
    return redo_.empty() ? QString() : redo_.back().name;
}

std::size_t UndoStack::BytesOf(const std::deque<Step>& steps)
{
    std::size_t bytes = 0;
    const pptx::KeptState* older = nullptr;
    for (const Step& step : steps) {
        bytes += pptx::KeptBytes(*step.state, older);
        older = step.state.get();
    }
    return bytes;
}

std::size_t UndoStack::Bytes() const
{
    return BytesOf(undo_) + BytesOf(redo_);
}

void UndoStack::Trim()
{
    while (!undo_.empty() && (undo_.size() > limits_.steps || Bytes() > limits_.bytes)) {
        undo_.pop_front();
    }
}

void UndoStack::Clear()
{
    undo_.clear();
    redo_.clear();
}

}  // namespace velmora::studio
