// Pictures through the system's imaging component (WIC). The host's own bounded reader reads the
// header first (picture_header.h): the size is checked against the canvas limits, and a PNG's
// length against its size and its chunks, before a decoder sees the file, since a decoder may
// decode the whole picture at once. Each format's decoder is asked for by name, never guessed
// from the bytes. Rows are copied out one at a time: 16-bit samples as the decoder gives them,
// scaled to 8 bits with libpng's rounding; every other layout converted by the component to
// 8-bit BGRA, which reproduces 8-bit samples, palettes and greys exactly; then laid over white
// as on Linux. So a PNG's rows are the Linux host's, byte for byte.
#include <wincodec.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "host/com_win32.h"
#include "host/picture/over_white.h"
#include "host/picture/picture_decoders.h"
#include "host/picture/picture_header.h"

namespace stamp::host {
namespace {

using Bytes = std::span<const uint8_t>;

constexpr uint32_t kWideSampleBytes = 2;
constexpr int kNoAlpha = -1;

// A layout of 16-bit samples: how many a pixel has, and which one is red, green, blue, alpha.
struct WideLayout {
  const GUID* format;
  uint32_t samples;
  std::array<int, 4> rgba;
};
const WideLayout kWideLayouts[] = {
    {&GUID_WICPixelFormat64bppRGBA, 4, {0, 1, 2, 3}},
    {&GUID_WICPixelFormat64bppBGRA, 4, {2, 1, 0, 3}},
    {&GUID_WICPixelFormat48bppRGB, 3, {0, 1, 2, kNoAlpha}},
    {&GUID_WICPixelFormat48bppBGR, 3, {2, 1, 0, kNoAlpha}},
    {&GUID_WICPixelFormat16bppGray, 1, {0, 0, 0, kNoAlpha}},
};

const GUID& ContainerOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::kJpeg: return GUID_ContainerFormatJpeg;
    case PictureFormat::kGif: return GUID_ContainerFormatGif;
    case PictureFormat::kTiff: return GUID_ContainerFormatTiff;
    case PictureFormat::kPng: break;
  }
  return GUID_ContainerFormatPng;
}

// A 16-bit sample to 8 bits, rounded to the nearest as libpng's scaling does.
uint8_t Scale16(uint32_t sample) { return static_cast<uint8_t>((sample * 255 + 32895) >> 16); }

// The decoded picture's rows, one at a time, as 8-bit RGBA.
class RowSource {
 public:
  RowSource(IWICBitmapSource* source, uint32_t width, const WideLayout* wide)
      : source_(source),
        width_(width),
        wide_(wide),
        stored_(size_t{width} * (wide ? wide->samples * kWideSampleBytes : kRgbaBytes)) {}

  bool Read(uint32_t y, uint8_t* rgba) {
    const WICRect line{0, static_cast<INT>(y), static_cast<INT>(width_), 1};
    const UINT bytes = static_cast<UINT>(stored_.size());
    if (FAILED(source_->CopyPixels(&line, bytes, bytes, stored_.data()))) return false;
    for (uint32_t x = 0; x < width_; ++x, rgba += kRgbaBytes) {
      if (wide_ == nullptr) {
        const uint8_t* bgra = stored_.data() + size_t{x} * kRgbaBytes;
        std::copy_n(bgra, kRgbaBytes, rgba);
        std::swap(rgba[0], rgba[2]);
        continue;
      }
      const uint8_t* pixel = stored_.data() + size_t{x} * wide_->samples * kWideSampleBytes;
      for (size_t k = 0; k < kRgbaBytes; ++k) {
        const int at = wide_->rgba[k];
        rgba[k] = at == kNoAlpha ? kOpaqueAlpha
                                 : Scale16(pixel[at * 2] | uint32_t{pixel[at * 2 + 1]} << 8);
      }
    }
    return true;
  }

 private:
  IWICBitmapSource* source_;
  uint32_t width_;
  const WideLayout* wide_;
  std::vector<uint8_t> stored_;
};

const WideLayout* WideLayoutOf(const WICPixelFormatGUID& format) {
  for (const WideLayout& layout : kWideLayouts) {
    if (IsEqualGUID(format, *layout.format)) return &layout;
  }
  return nullptr;
}

Failure DecoderRefusal(const std::string& path, const Steps& steps) {
  return PictureRefusal(path, "the system's decoder " + steps.Outcome().error());
}

// The component's objects for one file, released together.
struct WicObjects {
  Held<IWICImagingFactory> factory;
  Held<IWICStream> stream;
  Held<IWICBitmapDecoder> decoder;
  Held<IWICBitmapFrameDecode> frame;
  Held<IWICFormatConverter> converter;
};

// Decodes the first picture of file, of a format already sniffed, into objects.frame; false
// with the failed step in steps.
bool OpenFrame(Bytes file, PictureFormat format, WicObjects& objects, Steps& steps) {
  return steps.Do(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, objects.factory.outVoid()),
                  "start") &&
         steps.Do(objects.factory->CreateStream(objects.stream.out()), "take the file") &&
         steps.Do(objects.stream->InitializeFromMemory(const_cast<BYTE*>(file.data()),
                                                       static_cast<DWORD>(file.size())),
                  "take the file") &&
         steps.Do(
             objects.factory->CreateDecoder(ContainerOf(format), nullptr, objects.decoder.out()),
             "find a decoder for its format") &&
         steps.Do(objects.decoder->Initialize(objects.stream.get(), WICDecodeMetadataCacheOnDemand),
                  "decode it") &&
         steps.Do(objects.decoder->GetFrame(0, objects.frame.out()), "decode its picture");
}

// What the rows are copied from: the frame itself for a 16-bit layout, else a conversion of it
// to 8-bit BGRA; nullptr with the failed step in steps.
IWICBitmapSource* RowsOf(WicObjects& objects, const WideLayout* wide, Steps& steps) {
  if (wide != nullptr) return objects.frame.get();
  const bool converted =
      steps.Do(objects.factory->CreateFormatConverter(objects.converter.out()),
               "convert its pixels") &&
      steps.Do(objects.converter->Initialize(objects.frame.get(), GUID_WICPixelFormat32bppBGRA,
                                             WICBitmapDitherTypeNone, nullptr, 0,
                                             WICBitmapPaletteTypeCustom),
               "convert its pixels");
  return converted ? objects.converter.get() : nullptr;
}

// Decodes the first picture of file, of a format already sniffed, into rows.
Status DecodeThroughWic(const std::string& path, Bytes file, PictureFormat format,
                        PictureRows& rows) {
  const ComApartment apartment;
  WicObjects objects;
  Steps steps;
  UINT width = 0, height = 0;
  WICPixelFormatGUID stored{};
  const bool opened = OpenFrame(file, format, objects, steps) &&
                      steps.Do(objects.frame->GetSize(&width, &height), "read its size") &&
                      steps.Do(objects.frame->GetPixelFormat(&stored), "read its pixel layout");
  if (!opened) return DecoderRefusal(path, steps);
  STAMP_TRY(CheckPictureSize(path, width, height));  // a frame may be larger than the header says
  const WideLayout* wide = WideLayoutOf(stored);
  IWICBitmapSource* source = RowsOf(objects, wide, steps);
  if (source == nullptr) return DecoderRefusal(path, steps);
  rows.Size(static_cast<int32_t>(width), static_cast<int32_t>(height));
  RowSource sourceRows(source, width, wide);
  std::vector<uint8_t> rgba(size_t{width} * kRgbaBytes);
  std::vector<uint8_t> bgr(size_t{width} * 3);
  for (uint32_t y = 0; y < height; ++y) {
    if (!sourceRows.Read(y, rgba.data())) {
      steps.Do(E_FAIL, "decode its rows");
      return DecoderRefusal(path, steps);
    }
    RgbaRowOverWhite(rgba.data(), width, kFullOpacity, bgr.data());
    rows.Row(bgr.data());
  }
  return {};
}

}  // namespace

Status DecodeNonBmpRows(const std::string& path, Bytes file, PictureRows& rows) {
  const std::optional<PictureFormat> format = SniffPictureFormat(file);
  if (!format) return PictureRefusal(path, "it is not a PNG, BMP, JPEG, GIF or TIFF picture");
  const HeaderRead read = ReadPictureHeader(*format, file);
  if (!read.header) return PictureRefusal(path, read.error);
  const PictureHeader& header = *read.header;
  STAMP_TRY(CheckPictureSize(path, header.width, header.height));
  if (header.format == PictureFormat::kPng) {
    if (!PngCanHold(file.size(), header.width, header.height, header.storedPixelBits))
      return PictureRefusal(path, kTooShortForItsSize);
    if (!PngReachesItsEnd(file)) return PictureRefusal(path, kDataEndsEarly);
  }
  return DecodeThroughWic(path, file, *format, rows);
}

}  // namespace stamp::host
