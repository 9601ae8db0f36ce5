#include "host/gui/window/picture_file.h"

#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <string>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

#include "host/picture/picture_header.h"
#include "host/picture/picture_reader.h"
#include "platform/support/safe_file.h"

namespace stamp::gui {
namespace {

using Bytes = std::span<const uint8_t>;

constexpr uint8_t kJpegMarker = 0xFF;
constexpr uint8_t kJpegStart = 0xD8;
constexpr uint8_t kJpegEnd = 0xD9;
constexpr uint8_t kJpegScan = 0xDA;
constexpr uint8_t kJpegRestart0 = 0xD0;
constexpr uint8_t kJpegRestart7 = 0xD7;
constexpr uint8_t kJpegTem = 0x01;

QString Tr(const char* text) { return QCoreApplication::translate("PictureFile", text); }

uint32_t BigEndian(Bytes bytes, size_t at, size_t count) {
  uint32_t value = 0;
  for (size_t i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

// Whether the segments, and the coded data after each scan, run on to the end marker.
bool JpegComplete(Bytes jpeg) {
  size_t at = 2;  // past the start marker
  while (at + 1 < jpeg.size()) {
    if (jpeg[at] != kJpegMarker) return false;
    const uint8_t marker = jpeg[at + 1];
    if (marker == kJpegMarker) {  // fill byte
      ++at;
      continue;
    }
    if (marker == kJpegEnd) return true;
    at += 2;
    if (marker == kJpegTem || (marker >= kJpegRestart0 && marker <= kJpegRestart7)) continue;
    if (at + 2 > jpeg.size()) return false;
    at += BigEndian(jpeg, at, 2);
    if (marker != kJpegScan) continue;
    // Coded data: a marker byte followed by 0 (a stuffed byte) or a restart marker is data.
    while (at + 1 < jpeg.size() &&
           (jpeg[at] != kJpegMarker || jpeg[at + 1] == 0 ||
            (jpeg[at + 1] >= kJpegRestart0 && jpeg[at + 1] <= kJpegRestart7))) {
      ++at;
    }
  }
  return false;
}

PictureFile Refused(const QString& path, const QString& why) {
  return {QImage(), QString::fromStdString(
                        host::PictureRefusal(path.toStdString(), why.toStdString()).message)};
}

std::optional<QString> SizeProblem(const QString& path, QSize size) {
  const host::Status fits = host::CheckPictureSize(path.toStdString(), size.width(), size.height());
  if (fits.ok()) return std::nullopt;
  return QString::fromStdString(fits.error());
}

// The platform's decoder gives the rows as the window's BGR format keeps them.
PictureFile DecodeBmpPicture(const QString& path, Bytes file) {
  const host::Result<host::Picture> read = host::DecodeBmpPicture(path.toStdString(), file);
  if (!read.ok()) return {QImage(), QString::fromStdString(read.error())};
  const host::Picture& bmp = *read;
  QImage image(bmp.width, bmp.height, QImage::Format_BGR888);
  if (image.isNull()) return Refused(path, Tr("there is not enough memory"));
  const size_t rowBytes = static_cast<size_t>(bmp.width) * 3;
  for (int32_t y = 0; y < bmp.height; ++y) {
    std::memcpy(image.scanLine(y), bmp.pixels.data() + static_cast<size_t>(y) * rowBytes, rowBytes);
  }
  return {image, {}};
}

PictureFile DecodeWithQt(const QString& path, const QByteArray& bytes) {
  const Bytes file(reinterpret_cast<const uint8_t*>(bytes.constData()),
                   static_cast<size_t>(bytes.size()));
  const bool png = host::SniffPictureFormat(file) == host::PictureFormat::kPng;
  const bool jpeg = file.size() >= 2 && file[0] == kJpegMarker && file[1] == kJpegStart;
  if ((png && !host::PngReachesItsEnd(file)) || (jpeg && !JpegComplete(file))) {
    return Refused(path, Tr("the file is truncated"));
  }
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer);
  if (const QSize header = reader.size(); header.isValid()) {
    if (const std::optional<QString> problem = SizeProblem(path, header))
      return {QImage(), *problem};
  }
  // The canvas limits above decide which sizes come in, as they do for the sheet maker; Qt's
  // own allocation limit would refuse some of those sizes with a reason of its own.
  reader.setAllocationLimit(0);
  const QImage image = reader.read();
  if (image.isNull()) return Refused(path, reader.errorString());
  return {image, {}};
}

}  // namespace

PictureFile ReadPictureFile(const QString& path) try {
  std::string why;
  const std::optional<std::string> bytes =
      platform::ReadRegularFile(path.toStdString(), host::kMaxPictureFileBytes, &why);
  if (!bytes) return {QImage(), QString::fromStdString(why)};
  const Bytes file(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
  if (bytes->starts_with("BM")) return DecodeBmpPicture(path, file);
  return DecodeWithQt(path, QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())));
} catch (const std::bad_alloc&) {
  return Refused(path, Tr("there is not enough memory"));
}

}  // namespace stamp::gui
