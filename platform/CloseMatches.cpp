#include "platform/CloseMatches.hpp"

#include <algorithm>
#include <numeric>

#include "platform/AsciiCase.hpp"

namespace velmora::platform {

namespace {

constexpr std::size_t kMostShown = 3;

std::size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::vector<std::string> CloseMatches(std::string_view name, const std::vector<std::string>& candidates)
{
    const std::string wanted = AsciiLower(name);
    if (wanted.empty()) {
        return {};
    }
    // A third of the name may be wrong, and always two letters.
    const std::size_t allowed = std::max<std::size_t>(2, wanted.size() / 3);
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const std::string& candidate : candidates) {
        const std::string lower = AsciiLower(candidate);
        const bool contains = lower.find(wanted) != std::string::npos || wanted.find(lower) != std::string::npos;
        const std::size_t distance = EditDistance(wanted, lower);
        if (distance <= allowed || (contains && lower.size() > 1)) {
            scored.emplace_back(distance, candidate);
        }
    }
    std::ranges::stable_sort(scored, {}, &std::pair<std::size_t, std::string>::first);
    std::vector<std::string> matches;
    for (const auto& [distance, candidate] : scored) {
        // Far worse guesses than the best one only distract.
        if (matches.size() == kMostShown || distance > scored.front().first + 1) {
            break;
        }
        matches.push_back(candidate);
    }
    return matches;
}

std::string DidYouMean(const std::vector<std::string>& matches)
{
    if (matches.empty()) {
        return "";
    }
    std::string text = " (did you mean ";
    for (std::size_t i = 0; i < matches.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == matches.size() ? " or " : ", ") + matches[i];
    }
    return text + "?)";
}

}  // namespace velmora::platform
