#include "forms/ScriptStep.hpp"

#include <charconv>
#include <stdexcept>

namespace velmora::forms {

namespace {

float ParseOffset(std::string_view text, std::string_view argument)
{
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        throw std::invalid_argument("--drag wants CTRL=DX,DY with numbers, not \"" + std::string(argument) + "\"");
    }
    return value;
}

}  // namespace

std::optional<ScriptStep::Kind> ScriptOption(std::string_view option)
{
    if (option == "--set") {
        return ScriptStep::Kind::Set;
    }
    if (option == "--click") {
        return ScriptStep::Kind::Click;
    }
    if (option == "--type") {
        return ScriptStep::Kind::Type;
    }
    if (option == "--drag") {
        return ScriptStep::Kind::Drag;
    }
    if (option == "--key") {
        return ScriptStep::Kind::Key;
    }
    return std::nullopt;
}

ScriptStep ParseScriptStep(std::string_view option, std::string_view argument)
{
    const std::optional<ScriptStep::Kind> kind = ScriptOption(option);
    if (!kind) {
        throw std::invalid_argument("unknown dialog script option " + std::string(option));
    }
    ScriptStep step;
    step.kind = *kind;
    if (step.kind == ScriptStep::Kind::Click || step.kind == ScriptStep::Kind::Key) {
        step.control = std::string(argument);
    } else {
        const std::size_t equals = argument.find('=');
        if (equals == std::string_view::npos) {
            throw std::invalid_argument(std::string(option) + " wants CTRL=..., not \"" + std::string(argument) + "\"");
        }
        step.control = std::string(argument.substr(0, equals));
        step.text = std::string(argument.substr(equals + 1));
    }
    if (step.control.empty()) {
        throw std::invalid_argument(std::string(option) + " names no control");
    }
    if (step.kind == ScriptStep::Kind::Drag) {
        const std::size_t comma = step.text.find(',');
        if (comma == std::string::npos) {
            throw std::invalid_argument("--drag wants CTRL=DX,DY, not \"" + std::string(argument) + "\"");
        }
        step.dx = ParseOffset(std::string_view(step.text).substr(0, comma), argument);
        step.dy = ParseOffset(std::string_view(step.text).substr(comma + 1), argument);
    }
    return step;
}

}  // namespace velmora::forms
