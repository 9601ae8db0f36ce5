// generate_assets <assets folder>: draws the panel artwork, the sample stamp sheets and the icons
// and writes them as plugin artwork (kvo_stamp.dat), stamp/*.bmp, kvo_stamp.ico and the desktop's
// icons (desktop/icons/hicolor/NxN/apps/stamp-host.png, laid out as the icon theme is) under the
// given folder.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "bmp_writer.h"
#include "icon_art.h"
#include "panel_art.h"
#include "png_writer.h"
#include "sheet.h"
#include "stamp/plugin.h"

namespace {

using stamp::art::Image;

bool Write(const std::filesystem::path& path, const Image& image) {
  if (!stamp::art::WriteBmp(path, image)) {
    std::fprintf(stderr, "generate_assets: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("wrote %s (%dx%d)\n", path.c_str(), image.Width(), image.Height());
  return true;
}

// The desktop's icon at every side the theme looks in.
bool WriteDesktopIcons(const std::filesystem::path& root) {
  for (const int side : stamp::art::kDesktopIconSides) {
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    const std::filesystem::path folder = root / "desktop/icons/hicolor" / size / "apps";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path path = folder / "stamp-host.png";
    if (error || !stamp::art::WritePng(path, stamp::art::DrawDesktopIcon(side))) {
      std::fprintf(stderr, "generate_assets: cannot write %s\n", path.c_str());
      return false;
    }
    std::printf("wrote %s\n", path.c_str());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: generate_assets <assets folder>\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  std::error_code error;
  const std::filesystem::path sheets = root / STAMP_SHEET_FOLDER;
  std::filesystem::create_directories(sheets, error);
  if (error) {
    std::fprintf(stderr, "generate_assets: cannot create %s\n", sheets.c_str());
    return 1;
  }
  using namespace stamp::art;
  const bool written = Write(root / STAMP_PANEL_IMAGE_FILE, DrawPanel()) &&
                       Write(sheets / "shapes.bmp", DrawSheet(ShapesSheet())) &&
                       Write(sheets / "nature.bmp", DrawSheet(NatureSheet())) &&
                       Write(sheets / "symbols.bmp", DrawSheet(SymbolsSheet())) &&
                       WriteIcon(root / "kvo_stamp.ico", DrawIcon()) && WriteDesktopIcons(root);
  return written ? 0 : 1;
}
