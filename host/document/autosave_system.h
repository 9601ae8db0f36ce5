// What autosave needs of the system, one file per system (autosave_system_posix.cpp, _win32.cpp):
// the folders autosaves go to, the number that names this window's autosave, and what an entry
// of such a folder is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stamp::document {

// Why StateFolder has none: the variables the system names it by are unset.
extern const char kNoStateFolder[];

// The state folder autosaves go to: on Linux stamp-host/ in an absolute $XDG_STATE_HOME, else
// ~/.local/state/stamp-host/; on Windows %LOCALAPPDATA%\stamp-host. nullopt when the system names
// no such place.
std::optional<std::filesystem::path> StateFolder();

// The folder autosaves go to when the state folder cannot take them, created when missing: on
// Linux stamp-host-UID in the system's temporary folder ($TMPDIR, else /tmp), created private,
// and nullopt unless it is a real folder of this user's that nobody else may enter (a link or
// another's folder is never used); on Windows stamp-host in the user's own temporary folder.
std::optional<std::filesystem::path> FallbackFolder();
// The folders a window looks in for drawings left: the state folder and the fallback folder,
// where each is (nothing is created).
std::vector<std::filesystem::path> AutosaveFolders();

// The number of this process, which names its autosave.
uint64_t ProcessNumber();

// "" for a regular file (a link is not one); else what the entry is, in words ("is a folder",
// "cannot be checked", ...).
std::string NotRegularEntry(const std::filesystem::path& path);
// Whether path is a regular file of this user's (a link is not).
bool IsOwnRegularFile(const std::filesystem::path& path);
// The name a killed write's temporary named name was to become, or nullopt when it is none.
std::optional<std::string> KilledWriteTarget(std::string_view name);

}  // namespace stamp::document
