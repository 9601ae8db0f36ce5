#include "fuzz/session_world.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

#include "host/record/host_directory.h"
#include "platform/portable/bmp/bmp_encoder.h"
#include "stamp/plugin.h"

namespace stamp::fuzz {
namespace {

constexpr size_t kLongPathLength = 10000;
constexpr int32_t kPanelWidth = 264;
constexpr int32_t kPanelHeight = 100;

std::filesystem::path FreshFolder() {
  const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/stamp-session-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder");
  return pattern;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

// The pixels of a picture of varied colours, in the host's raster layout.
std::vector<uint8_t> PatternPixels(int32_t width, int32_t height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 + i / 3);
  return pixels;
}

std::vector<uint8_t> PatternBmp(int32_t width, int32_t height) {
  std::vector<uint8_t> pixels = PatternPixels(width, height);
  return platform::EncodeBmp24(pixels.data(), width, height);
}

std::string WindowsForm(const std::filesystem::path& path) {
  std::string text = path.string();
  for (char& c : text) c = c == '/' ? '\\' : c;
  return text;
}

// A profile integer: absent, a value at an edge, something that is not a number, or four bytes
// of the input.
std::string IntegerLine(std::string_view key, FuzzInput& input) {
  static const char* const kValues[] = {
      nullptr, "0",  "1",   "11",          "12",         "-1",          "4",    "5",   "29", "30",
      "31",    "10", "360", "-2147483648", "2147483647", "99999999999", " +7x", "abc", ""};
  const uint8_t choice = input.TakeByte();
  constexpr size_t kCount = sizeof kValues / sizeof kValues[0];
  if (choice >= kCount) return std::string(key) + "=" + std::to_string(input.TakeInt32()) + "\n";
  if (kValues[choice] == nullptr) return "";
  return std::string(key) + "=" + kValues[choice] + "\n";
}

}  // namespace

SessionWorld::SessionWorld()
    : folder_(FreshFolder()), panelPixels_(PatternPixels(kPanelWidth, kPanelHeight)) {
  MakeFiles();
  const std::filesystem::path stamp = folder_ / "host" / "stamp";
  paths_ = {"",
            WindowsForm(stamp / "sheet.bmp"),
            WindowsForm(stamp / "small.bmp"),
            WindowsForm(stamp / "truncated.bmp"),
            WindowsForm(stamp / "folder.bmp"),
            WindowsForm(stamp / "loop.bmp"),
            WindowsForm(stamp / "missing.bmp"),
            WindowsForm(stamp / std::string(kLongPathLength, 'a')),
            WindowsForm(stamp) + "\\\xff\xfe\xc3(.bmp",
            "stamp\\sheet.bmp"};
}

SessionWorld::~SessionWorld() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void SessionWorld::MakeFiles() {
  const std::filesystem::path host = folder_ / "host";
  std::filesystem::create_directories(host / STAMP_PLUGIN_FOLDER);
  std::filesystem::create_directories(host / "stamp" / "folder.bmp");
  WriteBytes(host / STAMP_PLUGIN_FOLDER / STAMP_PANEL_IMAGE_FILE,
             platform::EncodeBmp24(panelPixels_.data(), kPanelWidth, kPanelHeight));
  WriteBytes(host / "stamp-host", {});
  const std::vector<uint8_t> sheet = PatternBmp(120, 90);
  WriteBytes(host / "stamp" / "sheet.bmp", sheet);
  WriteBytes(host / "stamp" / "small.bmp", PatternBmp(5, 3));
  WriteBytes(host / "stamp" / "truncated.bmp", {sheet.begin(), sheet.begin() + sheet.size() / 2});
  std::filesystem::create_symlink("loop.bmp", host / "stamp" / "loop.bmp");
}

std::u16string SessionWorld::hostDirectory() const {
  return host::HostDirectoryText(folder_ / "host");
}

std::u16string SessionWorld::folderWithoutPanel() const {
  return host::HostDirectoryText(folder_ / "host" / "stamp");
}

void SessionWorld::WriteProfile(FuzzInput& input) const {
  std::string text = std::string("[").append(kOtherSection).append("]\n");
  text.append(kOtherKey).append("=").append(kOtherValue).append("\n\n[plugin_kvo_stamp]\n");
  text += IntegerLine("select", input);
  text += IntegerLine("degree", input);
  text += IntegerLine("shrink", input);
  if (input.TakeByte() % 2 == 0) text += "file=" + ProfilePath(input) + "\n";
  WriteBytes(profilePath(), {text.begin(), text.end()});
}

std::string SessionWorld::ProfilePath(FuzzInput& input) const {
  const uint8_t choice = input.TakeByte();
  return choice < paths_.size() ? paths_[choice] : input.TakeText();
}

// Prepared paths are widened byte by byte; the input's bytes pair into UTF-16 units, so lone
// surrogates and zero-free units of every kind reach the dialog.
std::u16string SessionWorld::DialogPath(FuzzInput& input) const {
  const uint8_t choice = input.TakeByte();
  std::u16string path;
  if (choice < paths_.size()) {
    for (const char c : paths_[choice]) path.push_back(static_cast<uint8_t>(c));
    return path;
  }
  const std::string bytes = input.TakeText();
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    path.push_back(static_cast<char16_t>(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
  }
  return path;
}

}  // namespace stamp::fuzz
