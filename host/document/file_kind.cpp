#include "host/document/file_kind.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/portable/text_encoding.h"

namespace stamp::document {
namespace {

constexpr char kDrawingSuffix[] = ".ora";
constexpr std::array<const char*, 4> kPictureSuffixes = {".png", ".jpg", ".jpeg", ".bmp"};

// Suffixes are ASCII, so only ASCII letters are folded.
std::string LowerSuffix(const std::filesystem::path& path) {
  std::string suffix = platform::PathToUtf8(path.extension());
  std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return suffix;
}

}  // namespace

FileKind KindOfFile(const std::filesystem::path& path) {
  const std::string suffix = LowerSuffix(path);
  if (suffix == kDrawingSuffix) return FileKind::kDrawing;
  const bool picture = std::any_of(kPictureSuffixes.begin(), kPictureSuffixes.end(),
                                   [&suffix](const char* known) { return suffix == known; });
  return picture ? FileKind::kPicture : FileKind::kOther;
}

}  // namespace stamp::document
