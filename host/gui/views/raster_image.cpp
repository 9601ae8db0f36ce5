#include "host/gui/views/raster_image.h"

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

host::Picture PictureOf(const QImage& image) {
  QImage overWhite(image.size(), QImage::Format_RGB32);
  overWhite.fill(Qt::white);
  QPainter(&overWhite).drawImage(0, 0, image);
  const QImage stored = overWhite.convertToFormat(QImage::Format_BGR888);
  host::Picture picture{stored.width(), stored.height(), {}};
  const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
  picture.pixels.resize(rowBytes * static_cast<size_t>(picture.height));
  for (int32_t row = 0; row < picture.height; ++row) {
    std::memcpy(picture.pixels.data() + static_cast<size_t>(row) * rowBytes,
                stored.constScanLine(row), rowBytes);
  }
  return picture;
}

}  // namespace stamp::gui
