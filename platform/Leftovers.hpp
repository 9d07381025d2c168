#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include <sys/stat.h>
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

// Calls `visit` with the folder's descriptor and the name of each of its
// entries; nothing when the folder cannot be read.
void ForEachEntry(const std::filesystem::path& folder, const std::function<void(int folder, const char* name)>& visit);

// Removes `name` from `folder` if it still names the file `opened` was
// read from: a file put there since under the same name stays.
void RemoveIfStillThere(int folder, const char* name, const struct stat& opened);

// This machine's name, for records that other machines sharing a folder may read.
std::string HostName();

}  // namespace velmora::platform
