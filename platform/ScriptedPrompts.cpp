#include "platform/ScriptedPrompts.hpp"

#include <ostream>
#include <utility>

#include "platform/PromptText.hpp"

namespace velmora::platform {

namespace {

template <typename T>
std::optional<T> TakeFront(std::deque<T>& queue)
{
    if (queue.empty()) {
        return std::nullopt;
    }
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

ScriptedPrompts::ScriptedPrompts(std::ostream& out) : out_(out) {}

int ScriptedPrompts::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    return Show(prompt, style, title, true);
}

int ScriptedPrompts::UnaskedQuestion(const std::string& prompt, int style, const std::string& title, int unattended)
{
    return Show(prompt, style, title, unattended != host::MsgAnswer::No);
}

int ScriptedPrompts::Show(const std::string& prompt, int style, const std::string& title, bool unansweredYes)
{
    out_ << MessageLine(title, prompt) << '\n' << std::flush;
    if (!IsQuestion(style)) {
        transcript_.push_back({"message", prompt, style, title, "ok", false, ""});
        return host::MsgAnswer::Ok;
    }
    const std::optional<bool> queued = TakeFront(answers_);
    const bool yes = queued.value_or(unansweredYes);
    transcript_.push_back({"question", prompt, style, title, yes ? "yes" : "no", queued.has_value(), ""});
    return yes ? host::MsgAnswer::Yes : host::MsgAnswer::No;
}

std::string ScriptedPrompts::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText)
{
    const std::optional<std::string> queued = TakeFront(inputs_);
    transcript_.push_back({"input", prompt, 0, title, queued.value_or(""), queued.has_value(), defaultText});
    return queued.value_or("");
}

std::optional<std::string> ScriptedPrompts::PickFile(const std::string& title,
                                                     const std::vector<host::FileFilter>& filters)
{
    std::optional<std::string> queued = TakeFront(files_);
    transcript_.push_back({"file", DescribeFilters(filters), 0, title, queued.value_or(""), queued.has_value(), ""});
    return queued;
}

std::optional<host::Color> ScriptedPrompts::ChooseColor(host::Color initial, std::array<host::Color, 16>&)
{
    const std::optional<host::Color> queued = TakeFront(colors_);
    transcript_.push_back(
        {"color", FormatColor(initial), 0, "", queued ? FormatColor(*queued) : "", queued.has_value(), ""});
    return queued;
}

}  // namespace velmora::platform
