#include "host/session/host_panel.h"

#include <cstring>

#include "host/output/centred_text.h"
#include "host/output/host_drawing.h"
#include "stamp/host_record.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

constexpr int32_t kButtonX = STAMP_FILE_BUTTON_X;
constexpr int32_t kButtonY = STAMP_FILE_BUTTON_Y;
constexpr int32_t kButtonWidth = STAMP_FILE_BUTTON_WIDTH;
constexpr int32_t kButtonHeight = STAMP_FILE_BUTTON_HEIGHT;

// The plug-in's area: raster rows 730 to the last; the rows are stored bottom-up, so they are
// the first bytes of the raster.
constexpr int32_t kPluginRows = STAMP_PANEL_HEIGHT - STAMP_PANEL_TOP_ROW;

}  // namespace

HostPanel::HostPanel(const RasterView& raster, PlatHandle panelDC) : raster_(raster) {
  FillRect(raster_, 0, 0, raster_.width, raster_.height, kPanelBackground);
  DrawFileButton(panelDC);
  const uint8_t* first = raster_.row(raster_.height - 1);
  cleanRows_.assign(first, first + raster_.rowBytes() * kPluginRows);
}

void HostPanel::Restore() const {
  std::memcpy(raster_.row(raster_.height - 1), cleanRows_.data(), cleanRows_.size());
}

void HostPanel::DrawFileButton(PlatHandle panelDC) const {
  FillRect(raster_, kButtonX, kButtonY, kButtonWidth, kButtonHeight, kFrameColor);
  FillRect(raster_, kButtonX + 1, kButtonY + 1, kButtonWidth - 2, kButtonHeight - 2, kButtonShadow);
  FillRect(raster_, kButtonX + 1, kButtonY + 1, kButtonWidth - 3, kButtonHeight - 3, kButtonFace);
  const PlatRect box{kButtonX + 1, kButtonY + 1, kButtonX + kButtonWidth - 2,
                     kButtonY + kButtonHeight - 2};
  DrawCentredText(panelDC, u"File", box);
}

}  // namespace stamp::host
