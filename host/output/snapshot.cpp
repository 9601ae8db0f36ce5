#include "host/output/snapshot.h"

#include <fstream>
#include <vector>

#include "host/output/output_file.h"
#include "host/output/png_writer.h"
#include "host/record/bmp_encoder.h"

namespace stamp::host {
namespace {

template <typename Picture>
std::string SavePng(const std::filesystem::path& path, const Picture& picture) {
  return WriteAtomically(
      path, [&](const std::filesystem::path& temporary) { return WritePng(temporary, picture); });
}

// The file goes out row by row from the buffer: a canvas-sized buffer is never copied whole.
std::string WriteBmp(const std::filesystem::path& path, const RasterView& raster) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const std::vector<uint8_t> headers = Bmp24Headers(raster);
  file.write(reinterpret_cast<const char*>(headers.data()),
             static_cast<std::streamsize>(headers.size()));
  const char padding[3] = {};
  const auto rowBytes = static_cast<std::streamsize>(raster.rowBytes());
  for (int32_t stored = 0; stored < raster.height; ++stored) {
    file.write(reinterpret_cast<const char*>(raster.bytes) + rowBytes * stored, rowBytes);
    file.write(padding, static_cast<std::streamsize>(Bmp24RowPadding(raster)));
  }
  file.close();
  return file ? std::string() : "cannot write " + path.string();
}

std::string SaveBmp(const std::filesystem::path& path, const RasterView& raster) {
  return WriteAtomically(
      path, [&](const std::filesystem::path& temporary) { return WriteBmp(temporary, raster); });
}

}  // namespace

std::string SaveCanvasPng(const HostRecord& record, Compositor& canvas,
                          const std::filesystem::path& path) {
  const int32_t width = record.canvasWidth();
  const RowPicture picture{width, record.canvasHeight(), ChannelOrder::kBgr,
                           [&](int32_t y, uint8_t* row) { canvas.Row(y, 0, width, row); }};
  return SavePng(path, picture);
}

std::string SavePanelPng(const HostRecord& record, const std::filesystem::path& path) {
  const RasterView panel = record.raster(STAMP_REC_PANEL_BUFFER);
  const int32_t lastRow = STAMP_PANEL_TOP_ROW + kShownPanelRows - 1;
  // Bottom-up: the shown rows start in memory at their last row.
  const uint8_t* first = panel.row(lastRow);
  const Picture24 picture{
      panel.width,      kShownPanelRows,    {first, panel.rowBytes() * kShownPanelRows},
      panel.rowBytes(), ChannelOrder::kBgr, true};
  return SavePng(path, picture);
}

std::string SaveSnapshot(const HostRecord& record, Compositor& canvas,
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
