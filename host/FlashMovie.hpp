#pragma once

#include <string_view>

namespace velmora::host {

// Whether file content is a Flash movie: it starts with the signature of an
// uncompressed ("FWS"), zlib ("CWS") or LZMA ("ZWS") compressed SWF file.
inline bool IsFlashMovie(std::string_view bytes)
{
    const std::string_view signature = bytes.substr(0, 3);
    return signature == "FWS" || signature == "CWS" || signature == "ZWS";
}

}  // namespace velmora::host
