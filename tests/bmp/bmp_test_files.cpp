#include "bmp_test_files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace stamp::test {

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<RgbPicture> ReadPpm(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  RgbPicture picture;
  int maxValue = 0;
  in >> magic >> picture.width >> picture.height >> maxValue;
  if (!in || magic != "P6" || maxValue != 255 || picture.width <= 0 || picture.height <= 0) {
    return std::nullopt;
  }
  in.get();  // the single whitespace byte before the pixels
  picture.rgb.resize(size_t(picture.width) * size_t(picture.height) * 3);
  in.read(reinterpret_cast<char*>(picture.rgb.data()), std::streamsize(picture.rgb.size()));
  if (in.gcount() != std::streamsize(picture.rgb.size())) return std::nullopt;
  return picture;
}

std::vector<uint8_t> BgrToRgb(std::span<const uint8_t> bgr) {
  std::vector<uint8_t> rgb(bgr.begin(), bgr.end());
  for (size_t i = 0; i + 2 < rgb.size(); i += 3) std::swap(rgb[i], rgb[i + 2]);
  return rgb;
}

std::vector<std::string> ListFiles(const std::filesystem::path& folder, std::string_view suffix) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.ends_with(suffix)) names.push_back(name);
  }
  std::ranges::sort(names);
  return names;
}

}  // namespace stamp::test
