// Reading an OpenRaster file as the three layers of a canvas: every name and size is checked
// before anything is inflated or allocated, every read is bounded, and the layers are handed over
// only when all three decoded.
#include <new>
#include <optional>
#include <string_view>

#include "host/ora/ora_file.h"
#include "host/ora/png_layer.h"
#include "host/ora/stack_xml.h"
#include "host/ora/zip_archive.h"
#include "host/ora/zip_entry.h"
#include "host/record/canvas_size.h"
#include "platform/portable/text_encoding.h"

namespace stamp::ora {
namespace {

using host::Failure;
using host::Result;
using host::Status;
using Bytes = std::vector<uint8_t>;

constexpr size_t kMimeTypeLimit = 64;
constexpr size_t kStackXmlLimit = size_t{1} << 20;
// A PNG layer is at most its pixels at 16-bit RGBA (8 bytes each) plus a margin for its chunks.
constexpr size_t kPngBytesPerPixel = 8;
constexpr size_t kPngMargin = size_t{1} << 20;
// An entry name that stays inside the archive's own folder: not absolute, no drive, no
// backslash, no ".." part.
bool SafeEntryName(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.find('\\') != std::string_view::npos ||
      (name.size() > 1 && name[1] == ':')) {
    return false;
  }
  size_t start = 0;
  while (start <= name.size()) {
    const size_t end = std::min(name.find('/', start), name.size());
    if (name.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
}

Status CheckEntryNames(zip_t* archive) {
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
    if (name == nullptr || !SafeEntryName(name)) {
      return Failure{std::string("the file holds an entry named outside its folder: ") +
                     (name != nullptr ? name : "(no name)")};
    }
  }
  return {};
}

Status CheckMimeType(zip_t* archive) {
  const char* first = zip_get_name(archive, 0, 0);
  zip_stat_t stat;
  const bool storedFirst = first != nullptr && std::string_view(first) == "mimetype" &&
                           zip_stat_index(archive, 0, 0, &stat) == 0 &&
                           stat.comp_method == ZIP_CM_STORE;
  const Result<Bytes> bytes =
      storedFirst ? ReadZipEntry(archive, "mimetype", kMimeTypeLimit) : Failure{};
  if (!bytes.ok() ||
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()) != kMimeType) {
    return Failure{
        "the file is not an OpenRaster picture (no stored mimetype \"image/openraster\" first)"};
  }
  return {};
}

Result<Stack> ReadStack(zip_t* archive) {
  const Result<Bytes> bytes = ReadZipEntry(archive, "stack.xml", kStackXmlLimit);
  STAMP_TRY(bytes);
  Result<Stack> parsed = ParseStack(std::string(bytes->begin(), bytes->end()));
  STAMP_TRY(parsed);
  if (const Status fits = host::CheckCanvasSize(parsed->width, parsed->height); !fits.ok()) {
    return Failure{"the picture's size cannot be a canvas: " + fits.error()};
  }
  if (parsed->layers.size() != static_cast<size_t>(kLayerCount)) {
    return Failure{"the file has " + std::to_string(parsed->layers.size()) +
                   " layers; a stamp picture has " + std::to_string(kLayerCount)};
  }
  return parsed;
}

// What the user should know of a layer that does not come in as its pixels are stored.
std::optional<std::string> LayerNote(const StackLayer& layer) {
  if (layer.hidden) return layer.src + " is hidden in the file: it comes in white";
  if (layer.opacity < 1) {
    return layer.src + " has an opacity of " + std::to_string(layer.opacity) +
           " in the file: it comes in laid over white at that opacity";
  }
  return std::nullopt;
}

// Decodes every layer of the file into targets (layer 0 first), or with nullptr targets checks
// each one, keeping nothing.
size_t LayerEntryLimit(const Stack& stack) {
  return static_cast<size_t>(stack.width) * static_cast<size_t>(stack.height) * kPngBytesPerPixel +
         kPngMargin;
}

// Inflating a layer's entry and decoding its PNG are each a sixth of the read. Read one at a
// time, a layer's two sixths follow each other; read entries first, they take the first half.
constexpr double kLayerPart = 0.5 / kLayerCount;
ReadProgress LayerPart(const ReadProgress& whole, size_t part) {
  return Stretch(whole, static_cast<double>(part) * kLayerPart, kLayerPart);
}

// Layer i of the stack's entry, checked to lie at the picture's corner.
Result<Bytes> ReadLayerEntry(zip_t* archive, const Stack& stack, size_t i,
                             const ReadProgress& progress) {
  const StackLayer& layer = stack.layers[i];
  if (layer.x != 0 || layer.y != 0) {
    return Failure{layer.src + " does not lie at the picture's corner"};
  }
  return ReadZipEntry(archive, layer.src, LayerEntryLimit(stack), progress);
}

// stack.xml lists the front layer first; the targets start with layer 0, the back one.
uint8_t* TargetOf(const LayerTargets& targets, size_t i) {
  return targets[static_cast<size_t>(kLayerCount) - 1 - i];
}

Status DecodeLayer(const Stack& stack, size_t i, const Bytes& png, const LayerTargets& targets,
                   const ReadProgress& progress) {
  const StackLayer& layer = stack.layers[i];
  const double opacity = layer.hidden ? 0.0 : layer.opacity;
  return DecodeLayerOverWhite(layer.src, png, static_cast<int32_t>(stack.width),
                              static_cast<int32_t>(stack.height), opacity, TargetOf(targets, i),
                              progress);
}

// Reads and decodes the layers one at a time, holding one entry and a row beside the targets
// (none: each layer is decoded and dropped, which checks it).
Status ReadLayers(zip_t* archive, const Stack& stack, const LayerTargets& targets,
                  const ReadProgress& progress) {
  for (size_t i = 0; i < stack.layers.size(); ++i) {
    const Result<Bytes> png = ReadLayerEntry(archive, stack, i, LayerPart(progress, 2 * i));
    STAMP_TRY(png);
    STAMP_TRY(DecodeLayer(stack, i, *png, targets, LayerPart(progress, 2 * i + 1)));
  }
  return {};
}

// Every layer's entry, its header checked, with nothing decoded yet.
using LayerPngs = std::array<Bytes, kLayerCount>;
Result<LayerPngs> ReadLayerPngs(zip_t* archive, const Stack& stack, const ReadProgress& progress) {
  LayerPngs pngs;
  for (size_t i = 0; i < stack.layers.size(); ++i) {
    Result<Bytes> png = ReadLayerEntry(archive, stack, i, LayerPart(progress, i));
    STAMP_TRY(png);
    STAMP_TRY(CheckLayerPng(stack.layers[i].src, *png, static_cast<int32_t>(stack.width),
                            static_cast<int32_t>(stack.height)));
    pngs[i] = std::move(*png);
  }
  return pngs;
}

Status DecodeLayers(const Stack& stack, const LayerPngs& pngs, const LayerTargets& targets,
                    const ReadProgress& progress) {
  for (size_t i = 0; i < stack.layers.size(); ++i) {
    STAMP_TRY(DecodeLayer(stack, i, pngs[i], targets, LayerPart(progress, kLayerCount + i)));
  }
  return {};
}

// The archive opened and its names, mimetype and stack checked, or why not.
Result<ZipArchive> OpenStack(const std::filesystem::path& path, Stack& stack) {
  Result<ZipArchive> archive = OpenAdmittedZip(path);
  STAMP_TRY(archive);
  for (const auto& step : {CheckEntryNames, CheckMimeType}) STAMP_TRY(step(archive->get()));
  Result<Stack> read = ReadStack(archive->get());
  STAMP_TRY(read);
  stack = std::move(*read);
  return archive;
}

void AddNotes(const Stack& stack, std::vector<std::string>* notes) {
  for (const StackLayer& layer : stack.layers) {
    if (const std::optional<std::string> note = LayerNote(layer); note && notes != nullptr) {
      notes->push_back(*note);
    }
  }
}

}  // namespace

// Every layer's entry is read and its header checked before the layers are allocated, so a
// damaged file claiming a huge canvas is refused for its damage, not for the memory it claims.
Status ReadOra(const std::filesystem::path& path, LayeredPicture& picture,
               const ReadProgress& progress, std::vector<std::string>* notes) try {
  Stack stack;
  const Result<ZipArchive> archive = OpenStack(path, stack);
  STAMP_TRY(archive);
  const auto width = static_cast<int32_t>(stack.width);
  const auto height = static_cast<int32_t>(stack.height);
  const Result<LayerPngs> pngs = ReadLayerPngs(archive->get(), stack, progress);
  STAMP_TRY(pngs);
  LayeredPicture read{width, height, {}};
  LayerTargets targets{};
  for (int k = 0; k < kLayerCount; ++k) {
    read.layers[size_t(k)].resize(read.LayerBytes());
    targets[size_t(k)] = read.layers[size_t(k)].data();
  }
  STAMP_TRY(DecodeLayers(stack, *pngs, targets, progress));
  picture = std::move(read);
  AddNotes(stack, notes);
  return {};
} catch (const std::bad_alloc&) {
  return Failure{"there is not enough memory to read " + platform::PathToUtf8(path)};
}

Status ReadOraInPlace(const std::filesystem::path& path, const LayerPlace& place,
                      const ReadProgress& progress, std::vector<std::string>* notes) try {
  Stack stack;
  const Result<ZipArchive> archive = OpenStack(path, stack);
  STAMP_TRY(archive);
  STAMP_TRY(ReadLayers(archive->get(), stack, {}, Stretch(progress, 0, 0.5)));
  LayerTargets targets{};
  const auto width = static_cast<int32_t>(stack.width);
  const auto height = static_cast<int32_t>(stack.height);
  STAMP_TRY(place(width, height, targets));
  // The file was read whole once; only a change to it meanwhile can fail here.
  const ReadProgress reportOnly = [&progress](double done) {
    GoOn(progress, 0.5 + done / 2);
    return true;
  };
  STAMP_TRY(ReadLayers(archive->get(), stack, targets, reportOnly));
  AddNotes(stack, notes);
  return {};
} catch (const std::bad_alloc&) {
  return Failure{"there is not enough memory to read " + platform::PathToUtf8(path)};
}

}  // namespace stamp::ora
