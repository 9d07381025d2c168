#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace velmora::platform {

// Why replacing `file` would lose another program's work: LibreOffice's lock
// file beside it (".~lock." + name + "#"), or a write lock (fcntl) or an
// exclusive lock (flock) another process holds on it. Nothing when it is
// free or does not exist, for this process's own EditLock, and for a lock
// file left on this host by a LibreOffice that no longer has the file open.
std::optional<std::string> InUseBy(const std::filesystem::path& file);

}  // namespace velmora::platform
