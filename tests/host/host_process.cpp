#include "host_process.h"

#include <png.h>
#include <sys/wait.h>

#include "platform/portable/bmp/bmp_decoder.h"
#include "stamp/plugin.h"

namespace stamp::test {

const fs::path HostProcessTest::kBuiltHost = STAMP_HOST_EXE;

namespace {
constexpr int kRunSeconds = 120;
}  // namespace

Raster ReadBmp(const fs::path& path) {
  const std::string text = ReadFile(path);
  const platform::BmpDecodeResult decoded =
      platform::DecodeBmp({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  if (!decoded.image) return Raster(0, 0);
  const platform::DecodedBmp& image = *decoded.image;
  return Raster::FromTopDownBgr(image.format.width, image.format.height, image.pixels.data());
}

Raster ReadPng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return Raster(0, 0);
  image.format = PNG_FORMAT_BGR;
  Raster picture(int32_t(image.width), int32_t(image.height));
  // A negative row stride asks for the last row first, the raster's order.
  const int32_t stride = -static_cast<int32_t>(PNG_IMAGE_ROW_STRIDE(image));
  if (png_image_finish_read(&image, nullptr, picture.data(), stride, nullptr) == 0) {
    return Raster(0, 0);
  }
  return picture;
}

HostRun HostProcessTest::Host(const std::vector<std::string>& args, const fs::path& program) const {
  // A run that hangs ends after kRunSeconds, exit code 124, instead of holding up the suite.
  std::string command = "cd '" + folder_.string() + "' && timeout " + std::to_string(kRunSeconds) +
                        " '" + program.string() + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + (folder_ / "stdout").string() + "' 2>'" + (folder_ / "stderr").string() + "'";
  const int status = std::system(command.c_str());
  HostRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(folder_ / "stdout"),
              ReadFile(folder_ / "stderr")};
  fs::remove(folder_ / "stdout");
  fs::remove(folder_ / "stderr");
  return run;
}

fs::path HostProcessTest::CopyHostFolder(const fs::path& folder) const {
  const fs::path built = kBuiltHost.parent_path();
  fs::create_directories(folder);
  for (const char* entry :
       {"stamp-host", "libstamp_platform.so", STAMP_PLUGIN_FOLDER, STAMP_SHEET_FOLDER}) {
    fs::copy(built / entry, folder / entry, fs::copy_options::recursive);
  }
  return folder / "stamp-host";
}

}  // namespace stamp::test
