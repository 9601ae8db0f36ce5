// A session of the plug-in on a TestHost's record, started by plg_init on the panel artwork of the
// host's folder (so a stamp sheet can be drawn into it) with the default settings, and ended by
// plg_destroy. The program path points into the host's folder, whose stamp\ folder holds the
// sample sheets. The tests drive the panel through the session's events and read its module
// state.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "src/plugin/module_state.h"
#include "support/plane.h"
#include "support/plugin_test.h"

namespace stamp::test {

// What an event did to the StampImage: nothing, a rotation of the cell cache as it was, or a
// fresh extraction of the cell followed by the rotation.
enum class Rebuild { None, RotationOnly, WithExtraction };

class PanelTest : public PluginTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  ModuleState& module() const { return Module(); }
  uint8_t* raster() const { return host.buffer(STAMP_REC_PANEL_BUFFER); }
  Bytes RasterCopy() const;
  // Runs the action over a scribbled StampImage and cell cache and tells what it rebuilt.
  Rebuild Observe(const std::function<void()>& action);
};

// Sets every byte of the width x height block at (left, top) of the plane to value.
void Paint(Plane plane, int64_t left, int64_t top, int64_t width, int64_t height, uint8_t value);

// The panel raster and the PanelImage addressed by the pixel engine's rule.
Plane RasterPlane(uint8_t* bytes);
inline constexpr int64_t kRasterBytes = int64_t{STAMP_PANEL_WIDTH} * STAMP_PANEL_HEIGHT * 3;

// The first 120x90 pixels of a BMP file, drawn by the platform into a 24-bit raster of that size.
Bytes SheetCells(const std::filesystem::path& sheet);

}  // namespace stamp::test
