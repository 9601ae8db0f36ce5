// The files a fuzzed session runs among, made once in a fresh folder (on a memory file system
// where there is one, so that the profile's flushed writes cost little):
//   host/plugin/kvo_stamp.dat   the panel file (the host's folder is host/)
//   host/stamp-host             the program path the platform reports, so the load dialog lists
//   host/stamp/                 good, small and truncated sheets, a folder and a symbolic-link loop
//                               posing as sheets
//   profile.ini                 the profile, written afresh for each input
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"

namespace stamp::fuzz {

class SessionWorld {
 public:
  // Throws std::runtime_error when the folder or a file cannot be made.
  SessionWorld();
  ~SessionWorld();
  SessionWorld(const SessionWorld&) = delete;
  SessionWorld& operator=(const SessionWorld&) = delete;

  std::string profilePath() const { return (folder_ / "profile.ini").string(); }
  std::string programPath() const { return (folder_ / "host" / "stamp-host").string(); }
  // The host's folder, and a folder without a panel file, in the record's form.
  std::u16string hostDirectory() const;
  std::u16string folderWithoutPanel() const;
  // The panel file's 264x100 pixels, bottom-up B,G,R as the PanelImage holds them.
  const std::vector<uint8_t>& panelPixels() const { return panelPixels_; }

  // Writes the profile: a section of another program, then the plug-in's four keys with values
  // taken from the input (any of them may be absent, out of range or not a number).
  void WriteProfile(FuzzInput& input) const;

  // A path a user might give: a prepared one (a sheet, a broken file, a folder, a link loop, a
  // missing file, a path of 10,000 characters...) or one made of the input's own bytes.
  std::string ProfilePath(FuzzInput& input) const;
  std::u16string DialogPath(FuzzInput& input) const;

 private:
  void MakeFiles();

  std::filesystem::path folder_;
  std::vector<uint8_t> panelPixels_;
  std::vector<std::string> paths_;  // backslash form, UTF-8 (one holds bytes that are not)
};

// The profile section of another program, which every write of the plug-in must keep.
inline constexpr std::string_view kOtherSection = "other_program";
inline constexpr std::string_view kOtherKey = "keep";
inline constexpr std::string_view kOtherValue = "this line stays";

}  // namespace stamp::fuzz
