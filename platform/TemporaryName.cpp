#include "platform/TemporaryName.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <system_error>

namespace velmora::platform {

namespace {

constexpr int kAttempts = 1000;

bool Taken(const std::filesystem::path& name, const std::vector<std::string>& suffixes)
{
    return std::any_of(suffixes.begin(), suffixes.end(), [&](const std::string& suffix) {
        std::error_code error;
        const bool exists = std::filesystem::exists(std::filesystem::path(name) += suffix, error);
        // Whatever cannot be looked at counts as taken.
        return exists || error;
    });
}

}  // namespace

std::filesystem::path UnusedTemporaryName(host::Random& random, const std::filesystem::path& folder, int range,
                                          const std::vector<std::string>& suffixes)
{
    random.Randomize();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const auto number = static_cast<long>(std::floor(static_cast<double>(random.Rnd()) * range));
        auto name = folder / ("tmp" + std::to_string(number));
        if (!Taken(name, suffixes)) {
            return name;
        }
    }
    throw std::runtime_error("no free temporary name in " + folder.string());
}

}  // namespace velmora::platform
