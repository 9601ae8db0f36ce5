#include "host/gui/raster_image.h"

#include <cstring>

#include <QPainter>

#include "host/output/snapshot.h"
#include "stamp/host_record.h"

namespace stamp::gui {
namespace {

// A bottom-up B,G,R block of rows as a top-down image of its own (the bytes are copied).
QImage BottomUpImage(const uint8_t* firstStoredRow, int32_t width, int32_t height) {
  const QImage stored(firstStoredRow, width, height, static_cast<qsizetype>(width) * 3,
                      QImage::Format_BGR888);
  return stored.mirrored(false, true);
}

}  // namespace

QImage PanelImage(const host::HostRecord& record) {
  const host::RasterView panel = record.raster(STAMP_REC_PANEL_BUFFER);
  // Bottom-up: the shown rows start in memory at their last row.
  const int32_t lastRow = STAMP_PANEL_TOP_ROW + host::kShownPanelRows - 1;
  return BottomUpImage(panel.row(lastRow), panel.width, host::kShownPanelRows);
}

std::vector<uint8_t> LayerFromPicture(const QImage& picture, int32_t width, int32_t height) {
  QImage layer(width, height, QImage::Format_RGB32);
  layer.fill(Qt::white);
  QPainter(&layer).drawImage(0, 0, picture);
  const QImage stored = layer.convertToFormat(QImage::Format_BGR888).mirrored(false, true);
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> bytes(rowBytes * static_cast<size_t>(height));
  for (int32_t row = 0; row < height; ++row) {
    std::memcpy(bytes.data() + static_cast<size_t>(row) * rowBytes, stored.constScanLine(row),
                rowBytes);
  }
  return bytes;
}

}  // namespace stamp::gui
