#include "pptx/parts/CompoundFile.hpp"

#include <charconv>

#include "pptx/parts/CompoundModule.hpp"

namespace velmora::pptx::parts {

namespace {

std::optional<std::uint32_t> Hex(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<ClassId> ParseClassId(std::string_view text)
{
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}: the first three fields are
    // stored little-endian, the last eight bytes as they are written.
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' || text[14] != '-' ||
        text[19] != '-' || text[24] != '-') {
        return std::nullopt;
    }
    const auto first = Hex(text.substr(1, 8));
    const auto second = Hex(text.substr(10, 4));
    const auto third = Hex(text.substr(15, 4));
    if (!first || !second || !third) {
        return std::nullopt;
    }
    ClassId id{};
    for (int i = 0; i < 4; ++i) {
        id[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(*first >> (8 * i));
    }
    for (int i = 0; i < 2; ++i) {
        id[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(*second >> (8 * i));
        id[static_cast<std::size_t>(6 + i)] = static_cast<std::uint8_t>(*third >> (8 * i));
    }
    const std::string tail = std::string(text.substr(20, 4)) + std::string(text.substr(25, 12));
    for (std::size_t i = 0; i < 8; ++i) {
        const auto byte = Hex(std::string_view(tail).substr(2 * i, 2));
        if (!byte) {
            return std::nullopt;
        }
        id[8 + i] = static_cast<std::uint8_t>(*byte);
    }
    return id;
}

std::string WriteCompoundFile(const ClassId& classId, const std::vector<CompoundStream>& streams)
{
    return CompoundModule().write(classId, streams);
}

std::optional<ClassId> CompoundClassId(std::string_view file)
{
    return CompoundModule().classId(file);
}

std::optional<std::string> ReadCompoundStream(std::string_view file, const std::string& name)
{
    return CompoundModule().readStream(file, name);
}

}  // namespace velmora::pptx::parts
