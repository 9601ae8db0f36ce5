// PNG files on Windows, through the system's imaging component (WIC): Debian's MinGW-w64 comes
// with no PNG library, and every Windows (and Wine) has this encoder. The rows go to the encoder
// one by one in its native order, blue first; the encoded file is gathered in memory, then
// written atomically. The encoder chooses its own compression, so the files' bytes differ from
// the Linux host's while their pixels are the same.
#include <wincodec.h>

#include <algorithm>
#include <cstring>

#include "host/com_win32.h"
#include "host/output/output_file.h"
#include "host/output/png_rows.h"
#include "host/output/png_writer.h"

namespace stamp::host {
namespace {

void ToBgr(uint8_t* row, size_t bytes) {
  for (size_t i = 0; i < bytes; i += 3) std::swap(row[i], row[i + 2]);
}

// Encodes the picture into stream, or fails naming the step that failed.
Status EncodeInto(IStream* stream, const RowPicture& picture) {
  Held<IWICImagingFactory> factory;
  Held<IWICBitmapEncoder> encoder;
  Held<IWICBitmapFrameEncode> frame;
  Steps steps;
  steps.Do(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                            IID_IWICImagingFactory, factory.outVoid()),
           "start the imaging component") &&
      steps.Do(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out()),
               "make a PNG encoder") &&
      steps.Do(encoder->Initialize(stream, WICBitmapEncoderNoCache), "start the encoder") &&
      steps.Do(encoder->CreateNewFrame(frame.out(), nullptr), "make the picture's frame") &&
      steps.Do(frame->Initialize(nullptr), "start the frame") &&
      steps.Do(frame->SetSize(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height)),
               "set the picture's size");
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (steps.Do(frame.get() != nullptr ? frame->SetPixelFormat(&format) : E_FAIL,
               "set the pixel format") &&
      !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
    return Failure{"the PNG encoder does not take 24-bit pixels"};
  }
  const size_t rowBytes = size_t(picture.width) * 3;
  std::vector<uint8_t> row(rowBytes);
  for (int32_t y = 0; y < picture.height && steps.ok(); ++y) {
    picture.rows(y, row.data());
    if (picture.order == ChannelOrder::kRgb) ToBgr(row.data(), rowBytes);
    steps.Do(
        frame->WritePixels(1, static_cast<UINT>(rowBytes), static_cast<UINT>(rowBytes), row.data()),
        "write a row");
  }
  steps.ok() && steps.Do(frame->Commit(), "finish the frame") &&
      steps.Do(encoder->Commit(), "finish the file");
  return steps.Outcome();
}

// The bytes a memory stream holds.
std::vector<uint8_t> StreamBytes(IStream* stream) {
  HGLOBAL memory = nullptr;
  STATSTG stat{};
  if (FAILED(GetHGlobalFromStream(stream, &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
    return {};
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
  if (bytes == nullptr) return {};
  std::vector<uint8_t> copy(bytes, bytes + stat.cbSize.QuadPart);
  GlobalUnlock(memory);
  return copy;
}

Result<std::vector<uint8_t>> Encode(const RowPicture& picture) {
  if (picture.width <= 0 || picture.height <= 0) return Failure{"picture has no pixels"};
  const ComApartment apartment;
  Held<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()))) return Failure{"out of memory"};
  STAMP_TRY(EncodeInto(stream.get(), picture));
  std::vector<uint8_t> png = StreamBytes(stream.get());
  if (png.empty()) return Failure{"cannot read the encoded picture"};
  return png;
}

}  // namespace

Status WritePng(const std::filesystem::path& path, const RowPicture& picture) {
  const Result<std::vector<uint8_t>> png = Encode(picture);
  STAMP_TRY(png);
  return WriteAtomically(path, [&png](std::FILE* file) -> Status {
    if (std::fwrite(png->data(), 1, png->size(), file) != png->size()) {
      return Failure{std::strerror(errno)};
    }
    return {};
  });
}

Status WritePng(const std::filesystem::path& path, const Picture24& picture) {
  STAMP_TRY(CheckPicture(picture));
  return WritePng(path, PictureRows(picture));
}

Result<std::vector<uint8_t>> EncodePng(const Picture24& picture) {
  STAMP_TRY(CheckPicture(picture));
  Result<std::vector<uint8_t>> png = Encode(PictureRows(picture));
  if (!png.ok()) return Failure{"cannot encode a PNG picture: " + png.error()};
  return png;
}

}  // namespace stamp::host
