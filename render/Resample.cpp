#include "render/Resample.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

namespace velmora::render {

namespace {

constexpr std::size_t kChannels = 3;

// The source pixels one target pixel covers, from `first` on, and how much of each.
struct Span {
    std::size_t first = 0;
    std::vector<double> weights;
};

// For each of `to` pixels, the span it covers of `from` pixels.
std::vector<Span> Spans(int from, int to)
{
    std::vector<Span> spans;
    const double step = static_cast<double>(from) / to;
    for (int index = 0; index < to; ++index) {
        const double start = index * step;
        const double end = std::min<double>(from, start + step);
        Span span{static_cast<std::size_t>(std::min(from - 1, static_cast<int>(std::floor(start)))), {}};
        for (auto pixel = static_cast<double>(span.first); pixel < end; ++pixel) {
            span.weights.push_back(std::min(end, pixel + 1) - std::max(start, pixel));
        }
        spans.push_back(std::move(span));
    }
    return spans;
}

std::size_t At(std::size_t x, std::size_t y, int width)
{
    return (y * static_cast<std::size_t>(width) + x) * kChannels;
}

// The weighted mean of the pixels of `span`, `stride` values apart from `start`.
template <typename Value>
std::array<double, kChannels> Mean(const Value* start, std::size_t stride, const Span& span)
{
    std::array<double, kChannels> sum{};
    double total = 0;
    for (std::size_t i = 0; i < span.weights.size(); ++i) {
        const Value* pixel = start + (span.first + i) * stride;
        for (std::size_t channel = 0; channel < kChannels; ++channel) {
            sum[channel] += span.weights[i] * pixel[channel];
        }
        total += span.weights[i];
    }
    for (double& channel : sum) {
        channel /= total;
    }
    return sum;
}

}  // namespace

Raster Resampled(const Raster& source, PixelBox box)
{
    const std::vector<Span> columns = Spans(source.box.width, box.width);
    const std::vector<Span> rows = Spans(source.box.height, box.height);
    // Across first, keeping the fractions; then down.
    std::vector<double> across(static_cast<std::size_t>(source.box.height) * static_cast<std::size_t>(box.width) *
                               kChannels);
    for (std::size_t y = 0; y < static_cast<std::size_t>(source.box.height); ++y) {
        for (std::size_t x = 0; x < columns.size(); ++x) {
            const auto mean = Mean(source.rgb.data() + At(0, y, source.box.width), kChannels, columns[x]);
            std::copy(mean.begin(), mean.end(), across.begin() + static_cast<std::ptrdiff_t>(At(x, y, box.width)));
        }
    }
    Raster result{box, std::vector<std::uint8_t>(At(0, static_cast<std::size_t>(box.height), box.width))};
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < columns.size(); ++x) {
            const auto mean = Mean(across.data() + At(x, 0, box.width), At(0, 1, box.width), rows[y]);
            for (std::size_t channel = 0; channel < kChannels; ++channel) {
                result.rgb[At(x, y, box.width) + channel] =
                    static_cast<std::uint8_t>(std::clamp(std::lround(mean[channel]), 0L, 255L));
            }
        }
    }
    return result;
}

}  // namespace velmora::render
