#include "host/output/snapshot.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/output/output_file.h"
#include "host/output/png_writer.h"
#include "platform/portable/bmp/bmp_encoder.h"
#include "platform/portable/text_encoding.h"

namespace stamp::host {
namespace {

// The file goes out row by row from the buffer: a canvas-sized buffer is never copied whole.
Status WriteBmp(std::FILE* file, const RasterView& raster) {
  const std::vector<uint8_t> headers = platform::Bmp24Headers(raster.width, raster.height);
  const uint8_t padding[3] = {};
  const size_t paddingBytes = platform::Bmp24RowPadding(raster.width);
  bool written = std::fwrite(headers.data(), 1, headers.size(), file) == headers.size();
  for (int32_t stored = 0; written && stored < raster.height; ++stored) {
    written = std::fwrite(raster.bytes + raster.rowBytes() * size_t(stored), 1, raster.rowBytes(),
                          file) == raster.rowBytes() &&
              std::fwrite(padding, 1, paddingBytes, file) == paddingBytes;
  }
  if (!written) return Failure{std::strerror(errno)};
  return {};
}

Status SaveBmp(const std::filesystem::path& path, const RasterView& raster) {
  return WriteAtomically(path, [&](std::FILE* file) { return WriteBmp(file, raster); });
}

}  // namespace

Status SaveCanvasPng(const HostRecord& record, Compositor& canvas,
                     const std::filesystem::path& path, Preview preview) {
  const int32_t width = record.canvasWidth();
  const RowPicture picture{width, record.canvasHeight(), ChannelOrder::kBgr,
                           [&](int32_t y, uint8_t* row) {
                             if (preview == Preview::kShown) {
                               canvas.Row(y, 0, width, row);
                             } else {
                               canvas.PictureRow(y, 0, width, row);
                             }
                           }};
  return WritePng(path, picture);
}

Status SavePanelPng(const HostRecord& record, const std::filesystem::path& path) {
  const RasterView panel = record.raster(STAMP_REC_PANEL_BUFFER);
  const int32_t lastRow = STAMP_PANEL_TOP_ROW + kShownPanelRows - 1;
  // Bottom-up: the shown rows start in memory at their last row.
  const uint8_t* first = panel.row(lastRow);
  const Picture24 picture{
      panel.width,      kShownPanelRows,    {first, panel.rowBytes() * kShownPanelRows},
      panel.rowBytes(), ChannelOrder::kBgr, true};
  return WritePng(path, picture);
}

Status SaveSnapshot(const HostRecord& record, Compositor& canvas,
                    const std::filesystem::path& folder, std::string_view name) {
  // The folder stays a path and the names are UTF-8, so neither loses a letter on Windows.
  const auto file = [&](std::string_view suffix) {
    return folder / platform::PathFromUtf8(std::string(name) + "-" + std::string(suffix));
  };
  STAMP_TRY(SaveCanvasPng(record, canvas, file("canvas.png"), Preview::kShown));
  STAMP_TRY(SavePanelPng(record, file("panel.png")));
  for (const BufferField& field : kBufferFields) {
    STAMP_TRY(SaveBmp(file(std::string(field.name) + ".bmp"), record.raster(field.offset)));
  }
  return {};
}

}  // namespace stamp::host
