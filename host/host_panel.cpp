#include "host/host_panel.h"

#include <algorithm>
#include <cstring>

#include "host/centred_text.h"
#include "stamp/host_record.h"

namespace stamp::host {
namespace {

// Colours as 0x00RRGGBB.
constexpr uint32_t kBackground = 0xE4E9F0;
constexpr uint32_t kButtonFace = 0xF7F8FA;
constexpr uint32_t kButtonBorder = 0x7A8599;
constexpr uint32_t kButtonShadow = 0xB9C1CE;

constexpr int32_t kButtonX = 0;
constexpr int32_t kButtonY = 220;
constexpr int32_t kButtonWidth = 50;
constexpr int32_t kButtonHeight = 20;

// The plug-in's area: raster rows 730 to the last; the rows are stored bottom-up, so they are
// the first bytes of the raster.
constexpr int32_t kPluginRows = STAMP_PANEL_HEIGHT - STAMP_PANEL_TOP_ROW;

}  // namespace

HostPanel::HostPanel(const RasterView& raster, PlatHandle panelDC) : raster_(raster) {
  Fill(0, 0, raster_.width, raster_.height, kBackground);
  DrawFileButton(panelDC);
  const uint8_t* first = raster_.row(raster_.height - 1);
  cleanRows_.assign(first, first + raster_.rowBytes() * kPluginRows);
}

void HostPanel::Restore() const {
  std::memcpy(raster_.row(raster_.height - 1), cleanRows_.data(), cleanRows_.size());
}

void HostPanel::DrawFileButton(PlatHandle panelDC) const {
  Fill(kButtonX, kButtonY, kButtonWidth, kButtonHeight, kButtonBorder);
  Fill(kButtonX + 1, kButtonY + 1, kButtonWidth - 2, kButtonHeight - 2, kButtonShadow);
  Fill(kButtonX + 1, kButtonY + 1, kButtonWidth - 3, kButtonHeight - 3, kButtonFace);
  const PlatRect box{kButtonX + 1, kButtonY + 1, kButtonX + kButtonWidth - 2,
                     kButtonY + kButtonHeight - 2};
  DrawCentredText(panelDC, u"File", kPanelTextStyle.fontHeight, box);
}

void HostPanel::Fill(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t color) const {
  const uint8_t bgr[3] = {uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16)};
  for (int32_t row = y; row < y + height; ++row) {
    for (int32_t column = x; column < x + width; ++column) {
      std::copy(bgr, bgr + 3, raster_.pixel(column, row));
    }
  }
}

}  // namespace stamp::host
