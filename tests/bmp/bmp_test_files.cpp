#include "bmp_test_files.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace stamp::test {

std::optional<Raster> ReadPpm(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int32_t width = 0;
  int32_t height = 0;
  int maxValue = 0;
  in >> magic >> width >> height >> maxValue;
  if (!in || magic != "P6" || maxValue != 255 || width <= 0 || height <= 0) return std::nullopt;
  in.get();  // the single whitespace byte before the pixels
  std::vector<uint8_t> bgr(size_t(width) * size_t(height) * 3);
  in.read(reinterpret_cast<char*>(bgr.data()), std::streamsize(bgr.size()));
  if (in.gcount() != std::streamsize(bgr.size())) return std::nullopt;
  for (size_t i = 0; i < bgr.size(); i += 3) std::swap(bgr[i], bgr[i + 2]);  // red first in file
  return Raster::FromTopDownBgr(width, height, bgr.data());
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
