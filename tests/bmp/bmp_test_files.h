// The decoder's test files: BMPs, reference pictures written by outside readers, folder listings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stamp::test {

inline const std::filesystem::path kBmpFixtureDir = STAMP_BMP_FIXTURE_DIR;
inline const std::filesystem::path kBmpCorpusDir = STAMP_BMP_CORPUS_DIR;

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

// A binary PPM (P6, maxval 255): top row first, red, green, blue.
struct RgbPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
};
std::optional<RgbPicture> ReadPpm(const std::filesystem::path& path);

// The decoder's blue, green, red pixels as red, green, blue.
std::vector<uint8_t> BgrToRgb(std::span<const uint8_t> bgr);

// Names of the files in folder whose names end in suffix, sorted; none when it does not exist.
std::vector<std::string> ListFiles(const std::filesystem::path& folder, std::string_view suffix);

}  // namespace stamp::test
