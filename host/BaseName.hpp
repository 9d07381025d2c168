#pragma once

#include <string>

namespace velmora::host {

// A presentation's file name without the part from its last "." on; a name
// without any "." is its own base name.
inline std::string BaseName(const std::string& name)
{
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// The part of the name from its last "." on ("" when there is none).
inline std::string Extension(const std::string& name)
{
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace velmora::host
