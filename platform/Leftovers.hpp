#pragma once

#include <filesystem>
#include <string>

#include <sys/types.h>

namespace velmora::platform {

// Removes from `folder` what runs of ours left there when they ended without
// removing it (killed): temporary names whose owner record names a process
// that is gone, private folders whose name does, and half-written files no
// writer holds any more. Nothing of a live run, and nothing named otherwise
// than our own names are, is touched.
void RemoveLeftoversOfDeadRuns(const std::filesystem::path& folder);

// The same for each kind alone, each removed by the unit that makes it:
// temporary files of writes whose writer is gone (AtomicFile), temporary
// names whose record names a process gone from this machine
// (TemporaryName), private folders named after a process gone (PrivateFolder).
void RemoveAbandonedWrites(const std::filesystem::path& folder);
void RemoveAbandonedTemporaryNames(const std::filesystem::path& folder);
void RemoveAbandonedPrivateFolders(const std::filesystem::path& folder);

// Whether the process `pid` of this machine is gone; a process that cannot
// be looked at (another user's) is not.
bool ProcessGone(pid_t pid);

// This machine's name, for records that other machines sharing a folder may read.
std::string HostName();

}  // namespace velmora::platform
