// A host record whose hostDirectory is a fresh folder holding a panel file of known pixels, the
// module state pointed at that record, and helpers that write sheets and read the PanelImage.
// Each test ends with the stamp sheet and the PanelImage released and no platform object left.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/support/scripted_ui.h"
#include "support/bmp_writer.h"
#include "support/test_files.h"
#include "support/test_host.h"

namespace stamp::test {

// A rectangle of the PanelImage, top-down.
struct Region {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

class FilesTest : public HostTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes picture as a 24-bit BMP into the test's folder; gives its path in backslash form.
  std::u16string WriteSheet(const std::string& name, const Raster& picture) const {
    return test::WriteSheet(folder / name, picture);
  }
  std::u16string PanelPath() const;
  // Pixel (x, y), top-down, of the module's PanelImage.
  Rgb PanelPixel(int32_t x, int32_t y) const;
  // True when every pixel of the region of the PanelImage equals the picture's pixel at the same
  // place relative to (pictureX, pictureY); reports the first difference otherwise.
  ::testing::AssertionResult RegionMatches(Region region, const Raster& picture, int32_t pictureX,
                                           int32_t pictureY) const;
  // The PanelImage outside the cell area equals the panel file.
  ::testing::AssertionResult OutsideCellsMatchPanelFile() const;

  const TempFolder folder;
  Raster panelFile{1, 1};
  const LiveObjects liveObjects;
  platform::ScriptedUi ui;
};

}  // namespace stamp::test
