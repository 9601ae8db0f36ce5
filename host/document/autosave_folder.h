// What windows that ended without closing left in the state folder, found in one listing of it:
// their autosaves (autosave-NAME.ora) whose lock (autosave-NAME.lock) nobody holds, whatever
// process id NAME once named, and the temporaries of autosave writes that were killed
// (autosave-NAME.ora.tmp-...). On the way, locks nobody holds that guard no autosave are removed,
// so the folder does not fill with them; each file costs at most one open beside its listing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace stamp::document {

inline constexpr char kAutosavePrefix[] = "autosave-";
inline constexpr char kAutosaveExtension[] = ".ora";
inline constexpr char kLockExtension[] = ".lock";

struct LeftDrawing {
  std::filesystem::path path;
  std::filesystem::file_time_type written;
  // A killed write's temporary: it may be incomplete, and goes once it has been offered.
  bool temporary = false;
};

struct FolderScan {
  std::vector<LeftDrawing> drawings;  // newest first
  std::vector<std::string> notes;     // what was skipped, or could not be checked, and why
};

FolderScan ScanAutosaveFolder(const std::filesystem::path& folder);
// The scans of several folders as one, newest first.
FolderScan ScanAutosaveFolders(const std::vector<std::filesystem::path>& folders);

// The lock that guards the autosave at path.
std::filesystem::path LockOf(const std::filesystem::path& autosave);

// Removes a drawing the scan gave, and the autosave's lock, which nobody held.
void RemoveLeftDrawing(const LeftDrawing& drawing);

}  // namespace stamp::document
