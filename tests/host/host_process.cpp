#include "host_process.h"

#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "platform/bmp_decoder.h"

namespace stamp::test {

const fs::path HostProcessTest::kBuiltHost = STAMP_HOST_EXE;

namespace {
constexpr int kRunSeconds = 120;
}  // namespace

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

Picture ReadBmp(const fs::path& path) {
  const std::string text = ReadText(path);
  const platform::BmpDecodeResult decoded =
      platform::DecodeBmp({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  if (!decoded.image) return {};
  return {decoded.image->format.width, decoded.image->format.height, decoded.image->pixels};
}

Picture ReadPng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
  image.format = PNG_FORMAT_BGR;
  Picture picture{int32_t(image.width), int32_t(image.height),
                  std::vector<uint8_t>(PNG_IMAGE_SIZE(image))};
  if (png_image_finish_read(&image, nullptr, picture.bgr.data(), 0, nullptr) == 0) return {};
  return picture;
}

void HostProcessTest::SetUp() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  folder_ = fs::temp_directory_path() /
            ("stamp-host-test-" + std::to_string(getpid()) + "-" + test->name());
  fs::remove_all(folder_);
  fs::create_directories(folder_);
}

void HostProcessTest::TearDown() { fs::remove_all(folder_); }

HostRun HostProcessTest::Host(const std::vector<std::string>& args, const fs::path& program) const {
  // A run that hangs ends after kRunSeconds, exit code 124, instead of holding up the suite.
  std::string command = "cd '" + folder_.string() + "' && timeout " + std::to_string(kRunSeconds) +
                        " '" + program.string() + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + (folder_ / "stdout").string() + "' 2>'" + (folder_ / "stderr").string() + "'";
  const int status = std::system(command.c_str());
  HostRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(folder_ / "stdout"),
              ReadText(folder_ / "stderr")};
  fs::remove(folder_ / "stdout");
  fs::remove(folder_ / "stderr");
  return run;
}

fs::path HostProcessTest::CopyHostFolder(const fs::path& folder) const {
  const fs::path built = kBuiltHost.parent_path();
  fs::create_directories(folder);
  for (const char* entry : {"stamp-host", "libstamp_platform.so", "plugin", "stamp"}) {
    fs::copy(built / entry, folder / entry, fs::copy_options::recursive);
  }
  return folder / "stamp-host";
}

}  // namespace stamp::test
