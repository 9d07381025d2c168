#include "pptx/parts/FlashPlayer.hpp"

#include <cstdint>

#include "host/HostError.hpp"
#include "pptx/parts/CompoundFile.hpp"

namespace velmora::pptx::parts::flash {

namespace {

constexpr std::string_view kTag = "fUfU";
constexpr std::string_view kProgIdStem = "ShockwaveFlash.ShockwaveFlash";

std::string LittleEndian32(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

std::uint32_t ReadLittleEndian32(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return value;
}

ClassId PlayerClassId()
{
    return *ParseClassId(kClassId);
}

}  // namespace

bool IsPlayerClass(std::string_view progId)
{
    if (progId.substr(0, kProgIdStem.size()) != kProgIdStem) {
        return false;
    }
    const std::string_view version = progId.substr(kProgIdStem.size());
    if (version.empty()) {
        return true;
    }
    return version.size() > 1 && version.front() == '.' &&
           version.substr(1).find_first_not_of("0123456789") == std::string_view::npos;
}

std::string Storage(std::string_view embeddedMovie)
{
    if (embeddedMovie.size() > UINT32_MAX) {
        throw host::HostError("the movie is too large to embed");
    }
    std::string contents(kTag);
    contents += LittleEndian32(static_cast<std::uint32_t>(embeddedMovie.size()));
    contents += embeddedMovie;
    return WriteCompoundFile(PlayerClassId(), {{kContentsStream, std::move(contents)}});
}

std::optional<std::string> EmbeddedMovie(std::string_view storage)
{
    if (CompoundClassId(storage) != PlayerClassId()) {
        return std::nullopt;
    }
    const auto contents = ReadCompoundStream(storage, kContentsStream);
    if (!contents || contents->size() < 8 || contents->substr(0, 4) != kTag) {
        return std::nullopt;
    }
    const std::uint32_t length = ReadLittleEndian32(std::string_view(*contents).substr(4, 4));
    if (length > contents->size() - 8) {
        return std::nullopt;
    }
    return contents->substr(8, length);
}

}  // namespace velmora::pptx::parts::flash
