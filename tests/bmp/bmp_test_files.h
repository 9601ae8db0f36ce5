// The decoder's test files: BMPs, reference pictures written by outside readers, folder listings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/raster.h"
#include "support/test_files.h"

namespace stamp::test {

inline const std::filesystem::path kBmpFixtureDir = STAMP_BMP_FIXTURE_DIR;
inline const std::filesystem::path kBmpCorpusDir = STAMP_BMP_CORPUS_DIR;

// A binary PPM (P6, maxval 255: top row first, red, green, blue); nothing when unreadable.
std::optional<Raster> ReadPpm(const std::filesystem::path& path);

// Names of the files in folder whose names end in suffix, sorted; none when it does not exist.
std::vector<std::string> ListFiles(const std::filesystem::path& folder, std::string_view suffix);

}  // namespace stamp::test
