#include "platform/Moment.hpp"

#include <array>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace velmora::platform {

namespace {

std::string TwoDigits(int value)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%02d", value % 100);
    return text.data();
}

struct Token {
    std::string_view text;
    std::string (*render)(const std::tm&);
};

constexpr std::array<Token, 7> kTokens{{
    {"YYYY", [](const std::tm& t) { return std::to_string(t.tm_year + 1900); }},
    {"YY", [](const std::tm& t) { return TwoDigits(t.tm_year + 1900); }},
    {"MM", [](const std::tm& t) { return TwoDigits(t.tm_mon + 1); }},
    {"DD", [](const std::tm& t) { return TwoDigits(t.tm_mday); }},
    {"hh", [](const std::tm& t) { return TwoDigits(t.tm_hour); }},
    {"mm", [](const std::tm& t) { return TwoDigits(t.tm_min); }},
    {"ss", [](const std::tm& t) { return TwoDigits(t.tm_sec); }},
}};

}  // namespace

std::string FormatMoment(std::chrono::system_clock::time_point moment, const std::string& pattern)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
    localtime_r(&seconds, &local);

    std::string out;
    std::string_view rest = pattern;
    while (!rest.empty()) {
        bool matched = false;
        for (const Token& token : kTokens) {
            if (rest.starts_with(token.text)) {
                out += token.render(local);
                rest.remove_prefix(token.text.size());
                matched = true;
                break;
            }
        }
        if (!matched) {
            out += rest.front();
            rest.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace velmora::platform
