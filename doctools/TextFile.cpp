#include "doctools/TextFile.hpp"

#include <exception>

#include "host/HostError.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/TextEncoding.hpp"

namespace velmora::doctools {

void WriteAnsiLines(const std::filesystem::path& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    try {
        platform::WriteFileAtomically(path, platform::ToAnsi(text));
    } catch (const std::exception& error) {
        throw host::HostError("cannot write the file " + path.string() + ": " + error.what());
    }
}

}  // namespace velmora::doctools
