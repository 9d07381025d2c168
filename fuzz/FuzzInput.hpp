#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora::fuzz {

// libFuzzer's start: writes `seed` into the first corpus folder on the
// command line when that folder is empty, so every run starts from input
// the project itself wrote.
void SeedCorpus(int argc, char** argv, const std::string& seed);

// The input as text.
inline std::string Text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace velmora::fuzz
