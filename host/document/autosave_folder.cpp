#include "host/document/autosave_folder.h"

#include <algorithm>
#include <optional>
#include <set>

#include "host/document/autosave_lock.h"
#include "host/document/autosave_system.h"
#include "platform/portable/text_encoding.h"

namespace stamp::document {
namespace {

namespace fs = std::filesystem;

bool IsAutosaveName(const std::string& name) {
  return name.starts_with(kAutosavePrefix) && name.ends_with(kAutosaveExtension);
}

bool IsLockName(const std::string& name) {
  return name.starts_with(kAutosavePrefix) && name.ends_with(kLockExtension);
}

bool Newer(const LeftDrawing& a, const LeftDrawing& b) { return a.written > b.written; }

// A lock that can be read and that nobody holds (one that cannot be used is left alone).
bool IsFree(const fs::path& lock) {
  const host::Result<LockState> state = ProbeLock(lock);
  return state.ok() && *state == LockState::kFree;
}

// A folder entry's name as text, whatever the system's own code page holds.
std::string NameOf(const fs::path& path) { return platform::PathToUtf8(path.filename()); }

// Sorts what was found for the scan and removes the locks that guard nothing.
class Scanner {
 public:
  explicit Scanner(const std::set<std::string>& names) : names_(names) {}

  void Look(const fs::directory_entry& entry) {
    const std::string name = NameOf(entry.path());
    if (IsAutosaveName(name)) return LookAtAutosave(entry);
    if (IsLockName(name)) return LookAtLock(entry);
    if (const std::optional<std::string> target = KilledWriteTarget(name);
        target && IsAutosaveName(*target)) {
      LookAtTemporary(entry);
    }
  }

  FolderScan Done() {
    std::stable_sort(scan_.drawings.begin(), scan_.drawings.end(), Newer);
    return std::move(scan_);
  }

 private:
  void LookAtAutosave(const fs::directory_entry& entry) {
    const fs::path& path = entry.path();
    if (const std::string reason = NotRegularEntry(path); !reason.empty()) {
      return Note(platform::PathToUtf8(path) + " " + reason + ": skipped");
    }
    const fs::path lock = LockOf(path);
    if (!names_.contains(NameOf(lock))) return Add(entry, false);
    const host::Result<LockState> state = ProbeLock(lock);
    if (!state.ok()) {
      Note(state.error() + ": its autosave is offered as left behind");
    } else if (*state == LockState::kHeld) {
      return;  // its window still runs
    }
    Add(entry, false);
  }

  // A lock that guards no autosave and that nobody holds is what a killed window left.
  void LookAtLock(const fs::directory_entry& entry) {
    const fs::path autosave = fs::path(entry.path()).replace_extension(kAutosaveExtension);
    if (names_.contains(NameOf(autosave))) return;
    std::error_code code;
    if (IsFree(entry.path())) fs::remove(entry.path(), code);
  }

  void LookAtTemporary(const fs::directory_entry& entry) {
    if (IsOwnRegularFile(entry.path())) Add(entry, true);
  }

  void Add(const fs::directory_entry& entry, bool temporary) {
    std::error_code code;
    scan_.drawings.push_back({entry.path(), entry.last_write_time(code), temporary});
  }

  void Note(std::string note) { scan_.notes.push_back(std::move(note)); }

  const std::set<std::string>& names_;
  FolderScan scan_;
};

}  // namespace

fs::path LockOf(const fs::path& autosave) {
  return fs::path(autosave).replace_extension(kLockExtension);
}

FolderScan ScanAutosaveFolder(const fs::path& folder) {
  std::vector<fs::directory_entry> entries;
  std::set<std::string> names;
  std::error_code code;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
    entries.push_back(entry);
    names.insert(NameOf(entry.path()));
  }
  Scanner scanner(names);
  for (const fs::directory_entry& entry : entries) scanner.Look(entry);
  return scanner.Done();
}

FolderScan ScanAutosaveFolders(const std::vector<fs::path>& folders) {
  FolderScan all;
  for (const fs::path& folder : folders) {
    FolderScan scan = ScanAutosaveFolder(folder);
    all.drawings.insert(all.drawings.end(), scan.drawings.begin(), scan.drawings.end());
    all.notes.insert(all.notes.end(), scan.notes.begin(), scan.notes.end());
  }
  std::stable_sort(all.drawings.begin(), all.drawings.end(), Newer);
  return all;
}

void RemoveLeftDrawing(const LeftDrawing& drawing) {
  std::error_code code;
  fs::remove(drawing.path, code);
  if (drawing.temporary) return;
  if (IsFree(LockOf(drawing.path))) fs::remove(LockOf(drawing.path), code);
}

}  // namespace stamp::document
