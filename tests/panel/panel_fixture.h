// A panel session on the unit libraries: the module state points at a TestHost's record, the
// PanelImage is made from the panel artwork of the host's folder (so a stamp sheet can be drawn
// into it), MulTable is built and the StampImage prepared. The scripted UI is installed and the
// program path points into the host's folder, whose stamp\ folder holds the sample sheets.
// Each test ends by checking the guard zones and that every platform object was released.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "src/core/module_state.h"
#include "platform/support/scripted_ui.h"
#include "stamp_pipeline/session.h"

namespace stamp::test {

// What an event did to the StampImage: nothing, a rotation of the cell cache as it was, or a
// fresh extraction of the cell followed by the rotation.
enum class Rebuild { None, RotationOnly, WithExtraction };

class PanelTest : public HostTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  ModuleState& module() const { return Module(); }
  uint8_t* raster() const { return host.buffer(STAMP_REC_PANEL_BUFFER); }
  Bytes RasterCopy() const;
  // Runs the action over a scribbled StampImage and cell cache and tells what it rebuilt.
  Rebuild Observe(const std::function<void()>& action);

  platform::ScriptedUi ui;
  const LiveObjects liveObjects;
};

// A pen position in panel coordinates and the value it gives (an angle, a cell).
struct PointCase {
  int32_t x, y;
  int32_t value;
};
void PrintTo(const PointCase& c, std::ostream* out);

// Sets every byte of the width x height block at (left, top) of the plane to value.
void Paint(Plane plane, int64_t left, int64_t top, int64_t width, int64_t height, uint8_t value);

// The panel raster and the PanelImage addressed by the pixel engine's rule.
Plane RasterPlane(uint8_t* bytes);
inline constexpr int64_t kRasterBytes = int64_t{STAMP_PANEL_WIDTH} * STAMP_PANEL_HEIGHT * 3;

// The first 120x90 pixels of a BMP file, drawn by the platform into a 24-bit raster of that size.
Bytes SheetCells(const std::filesystem::path& sheet);

}  // namespace stamp::test
