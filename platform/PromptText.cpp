#include "platform/PromptText.hpp"

#include <charconv>

namespace velmora::platform {

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> ParseNumber(std::string_view text, int base)
{
    if (text.starts_with('-')) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

host::Color Pack(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

std::optional<host::Color> ParseHexColor(std::string_view digits)
{
    if (digits.size() != 6) {
        return std::nullopt;
    }
    const auto red = ParseNumber(digits.substr(0, 2), 16);
    const auto green = ParseNumber(digits.substr(2, 2), 16);
    const auto blue = ParseNumber(digits.substr(4, 2), 16);
    if (!red || !green || !blue) {
        return std::nullopt;
    }
    return Pack(*red, *green, *blue);
}

std::optional<host::Color> ParseChannels(std::string_view text)
{
    std::vector<int> channels;
    while (true) {
        const std::size_t comma = text.find(',');
        const auto channel = ParseNumber(Trim(text.substr(0, comma)), 10);
        if (!channel || *channel < 0 || *channel > 255) {
            return std::nullopt;
        }
        channels.push_back(*channel);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (channels.size() != 3) {
        return std::nullopt;
    }
    return Pack(channels[0], channels[1], channels[2]);
}

}  // namespace

std::string MessageLine(std::string_view title, std::string_view prompt)
{
    // Appended piece by piece: GCC 12 misreads a literal + string as overlapping copies.
    std::string line = "[";
    line += title;
    line += "] ";
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        if (prompt[i] != '\r') {
            line += prompt[i];
        } else if (i + 1 >= prompt.size() || prompt[i + 1] != '\n') {
            line += '\n';
        }
    }
    return line;
}

bool IsQuestion(int style)
{
    return (style & 0x0F) == host::MsgStyle::YesNo;
}

std::string DescribeFilters(const std::vector<host::FileFilter>& filters)
{
    std::string text;
    for (const host::FileFilter& filter : filters) {
        text += (text.empty() ? "" : "; ") + filter.description + " (" + filter.extensions + ")";
    }
    return text;
}

std::optional<host::Color> ParseColor(std::string_view text)
{
    text = Trim(text);
    if (text.starts_with('#')) {
        return ParseHexColor(text.substr(1));
    }
    return ParseChannels(text);
}

std::string FormatColor(host::Color color)
{
    return std::to_string(color & 0xFF) + "," + std::to_string((color >> 8) & 0xFF) + "," +
           std::to_string((color >> 16) & 0xFF);
}

}  // namespace velmora::platform
