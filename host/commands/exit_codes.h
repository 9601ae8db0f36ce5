// The exit codes of every stamp-host command.
#pragma once

namespace stamp::host {

inline constexpr int kExitOk = 0;
// A failure while running: a missing or wrong plug-in, a failed start-up, a canvas that cannot
// be allocated, a file that cannot be read or written.
inline constexpr int kExitFailure = 1;
// A usage error or a malformed script, found before anything runs.
inline constexpr int kExitUsage = 2;
// An expect line of a script did not hold.
inline constexpr int kExitExpectation = 3;
// Everything else ran and was written, but the tool's settings could not be saved to the profile.
inline constexpr int kExitSettingsNotSaved = 4;

}  // namespace stamp::host
