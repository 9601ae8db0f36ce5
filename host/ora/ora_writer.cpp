// Writing an OpenRaster file: every entry is encoded in memory first, then added to a fresh
// archive in the format's order (mimetype stored and first), built in memory and written through
// the host's atomic output writer.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <vector>

#include "host/ora/ora_file.h"
#include "host/ora/stack_xml.h"
#include "host/ora/zip_archive.h"
#include "host/output/output_file.h"
#include "host/output/png_writer.h"

namespace stamp::ora {
namespace {

using Bytes = std::vector<uint8_t>;

host::Picture24 LayerPicture(int32_t width, int32_t height, std::span<const uint8_t> pixels) {
  return {width,
          height,
          pixels,
          static_cast<size_t>(width) * kBytesPerPixel,
          host::ChannelOrder::kBgr,
          /*bottomUp=*/true};
}

// The merged picture shrunk by nearest samples so its longer side is at most kThumbnailSide.
Bytes Thumbnail(const host::Picture24& merged, int32_t& width, int32_t& height) {
  const int32_t longer = std::max(merged.width, merged.height);
  const int64_t divisor = (longer + kThumbnailSide - 1) / kThumbnailSide;
  width = static_cast<int32_t>(std::max<int64_t>(1, merged.width / divisor));
  height = static_cast<int32_t>(std::max<int64_t>(1, merged.height / divisor));
  Bytes thumbnail(static_cast<size_t>(width) * static_cast<size_t>(height) * kBytesPerPixel);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const size_t from = (static_cast<size_t>(y * divisor) * static_cast<size_t>(merged.width) +
                           static_cast<size_t>(x * divisor)) *
                          kBytesPerPixel;
      const size_t to =
          (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
          kBytesPerPixel;
      std::copy_n(merged.pixels.begin() + static_cast<ptrdiff_t>(from), kBytesPerPixel,
                  thumbnail.begin() + static_cast<ptrdiff_t>(to));
    }
  }
  return thumbnail;
}

// The archive's entries in the order they are written.
struct Entry {
  std::string name;
  Bytes bytes;
  zip_int32_t method;
};

host::Status EncodeEntries(const LayeredPicture& picture, std::span<const uint8_t> merged,
                           std::deque<Entry>& entries) {
  const std::string stack = StackXml(picture.width, picture.height);
  entries.push_back({"mimetype", Bytes(kMimeType, kMimeType + sizeof kMimeType - 1), ZIP_CM_STORE});
  entries.push_back({"stack.xml", Bytes(stack.begin(), stack.end()), ZIP_CM_DEFLATE});
  // PNG pictures are compressed already: they are stored as they are.
  const auto addPng = [&](const std::string& name, const host::Picture24& image) -> host::Status {
    entries.push_back({name, {}, ZIP_CM_STORE});
    host::Result<Bytes> png = host::EncodePng(image);
    STAMP_TRY(png);
    entries.back().bytes = std::move(*png);
    return host::Status();
  };
  for (int layer = 0; layer < kLayerCount; ++layer) {
    const auto image = LayerPicture(picture.width, picture.height, picture.layers[layer]);
    STAMP_TRY(addPng(LayerEntryName(layer), image));
  }
  const host::Picture24 mergedPicture = LayerPicture(picture.width, picture.height, merged);
  STAMP_TRY(addPng("mergedimage.png", mergedPicture));
  int32_t width = 0;
  int32_t height = 0;
  const Bytes thumbnail = Thumbnail(mergedPicture, width, height);
  return addPng("Thumbnails/thumbnail.png", LayerPicture(width, height, thumbnail));
}

// The archive's bytes, built in memory: libzip writes a file by its own temporary and rename,
// which would bypass the host's exclusive, no-follow output writer.
host::Result<Bytes> BuildArchive(const std::deque<Entry>& entries) {
  using host::Failure;
  zip_error_t reason;
  zip_error_init(&reason);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &reason);
  if (buffer == nullptr) return Failure{zip_error_strerror(&reason)};
  zip_source_keep(buffer);  // the bytes are read back after the archive closes
  const std::unique_ptr<zip_source_t, decltype(&zip_source_free)> held(buffer, zip_source_free);
  ZipArchive archive(zip_open_from_source(buffer, ZIP_TRUNCATE, &reason));
  if (!archive) return Failure{zip_error_strerror(&reason)};
  for (const Entry& entry : entries) {
    zip_source_t* source =
        zip_source_buffer(archive.get(), entry.bytes.data(), entry.bytes.size(), 0);
    const zip_int64_t index =
        source == nullptr ? -1 : zip_file_add(archive.get(), entry.name.c_str(), source, 0);
    if (index < 0) {
      zip_source_free(source);
      return Failure{"cannot add " + entry.name + ": " + zip_strerror(archive.get())};
    }
    zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), entry.method, 0);
  }
  if (zip_close(archive.get()) != 0) return Failure{zip_strerror(archive.get())};
  archive.release();  // zip_close freed it
  zip_stat_t size;
  if (zip_source_stat(buffer, &size) != 0 || zip_source_open(buffer) != 0) {
    return Failure{zip_error_strerror(zip_source_error(buffer))};
  }
  Bytes archiveBytes(static_cast<size_t>(size.size));
  const zip_int64_t read = zip_source_read(buffer, archiveBytes.data(), size.size);
  zip_source_close(buffer);
  if (read != static_cast<zip_int64_t>(size.size)) return Failure{"cannot read the archive back"};
  return archiveBytes;
}

}  // namespace

host::Status WriteOra(const std::filesystem::path& path, const LayeredPicture& picture,
                      std::span<const uint8_t> merged) {
  const size_t bytes = picture.LayerBytes();
  bool complete = bytes > 0 && merged.size() == bytes;
  for (const auto& layer : picture.layers) complete = complete && layer.size() == bytes;
  if (!complete) return host::Failure{"the layers and the merged picture differ in size"};
  std::deque<Entry> entries;
  STAMP_TRY(EncodeEntries(picture, merged, entries));
  const host::Result<Bytes> archive = BuildArchive(entries);
  if (!archive.ok()) {
    return host::Failure{"cannot write " + platform::PathToUtf8(path) + ": " + archive.error()};
  }
  return host::WriteAtomically(path, [&archive](std::FILE* file) {
    if (std::fwrite(archive->data(), 1, archive->size(), file) != archive->size()) {
      return host::Status(host::Failure{std::strerror(errno)});
    }
    return host::Status();
  });
}

}  // namespace stamp::ora
