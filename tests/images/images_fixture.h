// A host record whose hostDirectory is a fresh folder holding a panel file of known pixels, a
// PanelImage and a stamp sheet of the test's own, and helpers that write sheets and read the
// PanelImage. Each test ends with the stamp sheet and the PanelImage released.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "src/core/host_context.h"
#include "src/images/panel_image.h"
#include "src/images/stamp_sheet.h"
#include "support/bmp_writer.h"
#include "support/plugin_test.h"
#include "support/test_files.h"

namespace stamp::test {

class ImagesTest : public PluginTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes picture as a 24-bit BMP into the test's folder; gives its path in backslash form.
  std::u16string WriteSheet(const std::string& name, const Raster& picture) const {
    return test::WriteSheet(folder / name, picture);
  }
  std::u16string PanelPath() const;
  // Pixel (x, y), top-down, of the PanelImage.
  Rgb PanelPixel(int32_t x, int32_t y) const;
  // True when every pixel of the region of the PanelImage equals the picture's pixel at the same
  // place relative to (pictureX, pictureY); reports the first difference otherwise.
  ::testing::AssertionResult RegionMatches(Region region, const Raster& picture, int32_t pictureX,
                                           int32_t pictureY) const;
  // The PanelImage outside the cell area equals the panel file.
  ::testing::AssertionResult OutsideCellsMatchPanelFile() const;

  const TempFolder folder;
  Raster panelFile{1, 1};
  HostContext context{host.record()};
  PanelImage panel;
  StampSheet stampSheet;
};

}  // namespace stamp::test
