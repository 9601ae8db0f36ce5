// The host's own panel raster: a light background over all 240 x 1050 pixels and the picture of
// the file button (a 50 x 20 button reading "File") at raster (0, 220), where the plug-in copies
// it from. The plug-in draws its panel from raster row 730 down over whatever is there, so the
// host keeps a clean copy of rows 730 to 1049 and restores them before every redraw.
#pragma once

#include <cstdint>
#include <vector>

#include "host/record/context_pair.h"
#include "host/record/raster_view.h"
#include "stamp/platform.h"

namespace stamp::host {

// How the host sets up panelDC: the text the plug-in draws there reads black on the panel.
inline constexpr TextStyle kPanelTextStyle{12, 0x000000, PLAT_TRANSPARENT};

class HostPanel {
 public:
  // Draws the panel into raster through panelDC and keeps the clean copy.
  HostPanel(const RasterView& raster, PlatHandle panelDC);

  // Puts rows 730 to 1049 back as they were drawn.
  void Restore() const;

 private:
  void DrawFileButton(PlatHandle panelDC) const;

  RasterView raster_;
  std::vector<uint8_t> cleanRows_;
};

}  // namespace stamp::host
