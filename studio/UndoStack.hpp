#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include <QString>

#include "host/Presentation.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::studio {

// How much the Edit menu keeps to undo: whichever limit comes first.
struct UndoLimits {
    std::size_t steps = 20;
    std::size_t bytes = std::size_t{200} << 20;
};

// The whole command runs the Edit menu undoes and redoes: the presentation's
// state before each run that changed it, named after its command. Only the
// most recent steps are kept, as many as the limits allow.
class UndoStack {
public:
    explicit UndoStack(UndoLimits limits = {}) : limits_(limits) {}

    // Around a command run. A run within a run (a dialog's input while its
    // command waits) belongs to the outer one.
    void Begin(const host::Ref<host::Presentation>& presentation, const QString& name);
    void End();
    bool Running() const { return depth_ > 0; }

    // Each returns false when there is no step, or a command is running.
    bool Undo(host::Presentation& presentation);
    bool Redo(host::Presentation& presentation);
    // The command the next undo or redo takes back; empty when there is none.
    QString UndoName() const;
    QString RedoName() const;
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    // The bytes the steps hold beyond what they share.
    std::size_t Bytes() const;
    // For another presentation, or none.
    void Clear();

private:
    struct Step {
        QString name;
        std::shared_ptr<const pptx::KeptState> state;
    };
    struct Run {
        host::Ref<host::Presentation> presentation;
        Step before;
        std::uint64_t revision = 0;
    };

    static bool Move(host::Presentation& presentation, std::deque<Step>& from, std::deque<Step>& to);
    static std::size_t BytesOf(const std::deque<Step>& steps);
    void Trim();

    UndoLimits limits_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    std::optional<Run> run_;
    int depth_ = 0;
};

}  // namespace velmora::studio
