#pragma once

namespace velmora::cli::ExitStatus {

inline constexpr int Done = 0;
// The command stopped at a refusal (a message of style 16 or 48).
inline constexpr int Refused = 1;
// Bad usage or an unreadable file; nothing was changed.
inline constexpr int BadUsage = 2;
// The command failed; the presentation was not saved.
inline constexpr int HostFailure = 3;

}  // namespace velmora::cli::ExitStatus
