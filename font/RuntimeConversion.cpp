#include "font/RuntimeConversion.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/AsciiCase.hpp"

namespace velmora::font {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool StartsLikeNumber(std::string_view text)
{
    const std::string_view body = text.starts_with('-') ? text.substr(1) : text;
    return !body.empty() && (body.front() == '.' || (body.front() >= '0' && body.front() <= '9'));
}

// Parses a number at the start of text; `used` is how many characters it took.
std::optional<double> NumberAtStart(std::string_view text, std::size_t& used)
{
    const std::size_t signLength = text.starts_with('+') ? 1 : 0;
    const std::string_view rest = text.substr(signLength);
    if ((signLength == 1 && rest.starts_with('-')) || !StartsLikeNumber(rest)) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc{}) {
        return std::nullopt;
    }
    used = static_cast<std::size_t>(end - text.data());
    return value;
}

}  // namespace

std::optional<double> ToNumber(std::string_view text)
{
    const std::string_view number = Trimmed(text);
    std::size_t used = 0;
    const auto value = NumberAtStart(number, used);
    if (!value || used != number.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> ToLong(std::string_view text)
{
    const auto number = ToNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double whole = std::nearbyint(*number);
    if (!(whole >= std::numeric_limits<std::int32_t>::min() && whole <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(whole);
}

std::optional<bool> ToTruth(std::string_view text)
{
    const std::string lower = platform::AsciiLower(Trimmed(text));
    if (lower == "true") {
        return true;
    }
    if (lower == "false") {
        return false;
    }
    if (const auto number = ToNumber(text)) {
        return *number != 0;
    }
    return std::nullopt;
}

double LeadingNumber(std::string_view text)
{
    std::size_t used = 0;
    return NumberAtStart(Trimmed(text), used).value_or(0);
}

std::string TruthText(bool value)
{
    return value ? "True" : "False";
}

}  // namespace velmora::font
