#pragma once

#include <deque>
#include <iosfwd>
#include <string>
#include <vector>

#include "host/Prompts.hpp"

namespace velmora::platform {

// One prompt shown and how it was answered, for transcripts.
struct PromptRecord {
    std::string kind;    // "message", "question", "input", "file" or "color"
    std::string prompt;  // the text; for a file picker its filters; for a colour the initial "R,G,B"
    int style = 0;
    std::string title;
    std::string answer;  // "ok", "yes", "no", the text, the path or "R,G,B"; "" for cancel
    bool scripted = false;  // false when no queued answer was left and the default was taken
    std::string offered;    // the text an input box started with
};

// Prompts answered from queues (command-line options, tests). Message boxes
// print on out as "[TITLE] TEXT". Without a queued answer a question takes
// its default button, Yes, and every other prompt is cancelled.
class ScriptedPrompts : public host::Prompts {
public:
    explicit ScriptedPrompts(std::ostream& out);

    void AddAnswer(bool yes) { answers_.push_back(yes); }
    void AddInput(std::string text) { inputs_.push_back(std::move(text)); }
    void AddFile(std::string path) { files_.push_back(std::move(path)); }
    void AddColor(host::Color color) { colors_.push_back(color); }

    const std::vector<PromptRecord>& Transcript() const { return transcript_; }

    int MsgBox(const std::string& prompt, int style, const std::string& title = host::kTitle) override;
    // Without a queued answer the question takes `unattended`.
    int UnaskedQuestion(const std::string& prompt, int style, const std::string& title, int unattended) override;
    std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    std::optional<std::string> PickFile(const std::string& title, const std::vector<host::FileFilter>& filters) override;
    std::optional<host::Color> ChooseColor(host::Color initial, std::array<host::Color, 16>& customColors) override;

private:
    int Show(const std::string& prompt, int style, const std::string& title, bool unansweredYes);

    std::ostream& out_;
    std::deque<bool> answers_;
    std::deque<std::string> inputs_;
    std::deque<std::string> files_;
    std::deque<host::Color> colors_;
    std::vector<PromptRecord> transcript_;
};

}  // namespace velmora::platform
