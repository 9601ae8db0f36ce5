#include "host/snapshot.h"

#include <vector>

#include "host/output_file.h"
#include "host/png_writer.h"
#include "host/record/bmp_encoder.h"

namespace stamp::host {
namespace {

std::string SaveBmp(const std::filesystem::path& path, const RasterView& raster) {
  return WriteFileAtomically(path, EncodeBmp24(raster));
}

}  // namespace

std::string SaveCanvasPng(const HostRecord& record, std::span<const uint8_t> canvas,
                          const std::filesystem::path& path) {
  const Picture24 picture{record.canvasWidth(),
                          record.canvasHeight(),
                          canvas,
                          size_t(record.canvasWidth()) * 3,
                          ChannelOrder::kBgr,
                          true};
  return WritePng(path, picture);
}

std::string SavePanelPng(const HostRecord& record, const std::filesystem::path& path) {
  const RasterView panel = record.raster(STAMP_REC_PANEL_BUFFER);
  const int32_t lastRow = STAMP_PANEL_TOP_ROW + kShownPanelRows - 1;
  // Bottom-up: the shown rows start in memory at their last row.
  const uint8_t* first = panel.row(lastRow);
  const Picture24 picture{
      panel.width,      kShownPanelRows,    {first, panel.rowBytes() * kShownPanelRows},
      panel.rowBytes(), ChannelOrder::kBgr, true};
  return WritePng(path, picture);
}

std::string SaveSnapshot(const HostRecord& record, std::span<const uint8_t> canvas,
                         const std::filesystem::path& folder, std::string_view name) {
  const std::string prefix = (folder / name).string() + "-";
  if (std::string error = SaveCanvasPng(record, canvas, prefix + "canvas.png"); !error.empty()) {
    return error;
  }
  if (std::string error = SavePanelPng(record, prefix + "panel.png"); !error.empty()) return error;
  for (const BufferField& field : kBufferFields) {
    const std::string path = prefix + std::string(field.name) + ".bmp";
    if (std::string error = SaveBmp(path, record.raster(field.offset)); !error.empty()) {
      return error;
    }
  }
  return {};
}

}  // namespace stamp::host
