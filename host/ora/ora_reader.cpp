// Reading an OpenRaster file as the three layers of a canvas: every name and size is checked
// before anything is inflated or allocated, every read is bounded, and the layers are handed over
// only when all three decoded.
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <optional>
#include <string_view>

#include "host/ora/ora_file.h"
#include "host/ora/png_layer.h"
#include "host/ora/stack_xml.h"
#include "host/ora/zip_archive.h"
#include "host/ora/zip_entry.h"
#include "host/record/canvas_size.h"
#include "platform/support/safe_file.h"

namespace stamp::ora {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kMimeTypeLimit = 64;
constexpr size_t kStackXmlLimit = size_t{1} << 20;
// A PNG layer is at most its pixels at 16-bit RGBA (8 bytes each) plus a margin for its chunks.
constexpr size_t kPngBytesPerPixel = 8;
constexpr size_t kPngMargin = size_t{1} << 20;
// Far past the file of any canvas a record can hold; what is larger is refused unread.
constexpr uint64_t kMaxFileBytes = uint64_t{16} << 30;

// The file at path opened as a zip, once it is known to be a regular file of a bounded size
// (opened without blocking, so that a FIFO cannot hold the caller); nullptr and why if not.
ZipArchive OpenAdmittedZip(const std::string& path, std::string& error) {
  const int fd = platform::OpenRegularFile(path, &error);
  if (fd < 0) return nullptr;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || static_cast<uint64_t>(status.st_size) > kMaxFileBytes) {
    ::close(fd);
    error = "cannot read " + path + ": it is over the limit of " + std::to_string(kMaxFileBytes) +
            " bytes";
    return nullptr;
  }
  int code = 0;
  ZipArchive archive(zip_fdopen(fd, ZIP_RDONLY | ZIP_CHECKCONS, &code));  // owns fd from now
  if (!archive) {
    ::close(fd);
    zip_error_t reason;
    zip_error_init_with_code(&reason, code);
    error = "cannot open " + path + ": " + zip_error_strerror(&reason);
    zip_error_fini(&reason);
  }
  return archive;
}

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

std::string CheckEntryNames(zip_t* archive) {
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
    if (name == nullptr || !SafeEntryName(name)) {
      return std::string("the file holds an entry named outside its folder: ") +
             (name != nullptr ? name : "(no name)");
    }
  }
  return {};
}

std::string CheckMimeType(zip_t* archive) {
  Bytes bytes;
  const char* first = zip_get_name(archive, 0, 0);
  zip_stat_t stat;
  const bool storedFirst = first != nullptr && std::string_view(first) == "mimetype" &&
                           zip_stat_index(archive, 0, 0, &stat) == 0 &&
                           stat.comp_method == ZIP_CM_STORE;
  if (!storedFirst || !ReadZipEntry(archive, "mimetype", kMimeTypeLimit, bytes).empty() ||
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()) != kMimeType) {
    return "the file is not an OpenRaster picture (no stored mimetype \"image/openraster\" first)";
  }
  return {};
}

std::string ReadStack(zip_t* archive, Stack& stack) {
  Bytes bytes;
  if (std::string error = ReadZipEntry(archive, "stack.xml", kStackXmlLimit, bytes);
      !error.empty()) {
    return error;
  }
  std::string error;
  const std::optional<Stack> parsed = ParseStack(std::string(bytes.begin(), bytes.end()), error);
  if (!parsed) return error;
  if (std::string problem = host::CanvasSizeProblem(parsed->width, parsed->height);
      !problem.empty()) {
    return "the picture's size cannot be a canvas: " + problem;
  }
  if (parsed->layers.size() != static_cast<size_t>(kLayerCount)) {
    return "the file has " + std::to_string(parsed->layers.size()) +
           " layers; a stamp picture has " + std::to_string(kLayerCount);
  }
  stack = *parsed;
  return {};
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
std::string ReadLayers(zip_t* archive, const Stack& stack, const LayerTargets& targets,
                       const ReadProgress& progress) {
  const auto width = static_cast<int32_t>(stack.width);
  const auto height = static_cast<int32_t>(stack.height);
  const size_t limit =
      static_cast<size_t>(width) * static_cast<size_t>(height) * kPngBytesPerPixel + kPngMargin;
  for (size_t i = 0; i < stack.layers.size(); ++i) {
    const StackLayer& layer = stack.layers[i];
    if (layer.x != 0 || layer.y != 0) return layer.src + " does not lie at the picture's corner";
    Bytes png;
    // Each layer is a third of the read: half inflating its entry, half decoding its PNG.
    const double start = static_cast<double>(i) / static_cast<double>(kLayerCount);
    const double half = 0.5 / kLayerCount;
    if (std::string error =
            ReadZipEntry(archive, layer.src, limit, png, Stretch(progress, start, half));
        !error.empty()) {
      return error;
    }
    // stack.xml lists the front layer first.
    uint8_t* pixels = targets[static_cast<size_t>(kLayerCount) - 1 - i];
    const double opacity = layer.hidden ? 0.0 : layer.opacity;
    if (std::string error = DecodeLayerOverWhite(layer.src, png, width, height, opacity, pixels,
                                                 Stretch(progress, start + half, half));
        !error.empty()) {
      return error;
    }
  }
  return {};
}

// The archive opened and its names, mimetype and stack checked; nullptr and why if not.
ZipArchive OpenStack(const std::filesystem::path& path, Stack& stack, std::string& error) {
  ZipArchive archive = OpenAdmittedZip(path.string(), error);
  if (!archive) return nullptr;
  for (const auto& step : {CheckEntryNames, CheckMimeType}) {
    if (error = step(archive.get()); !error.empty()) return nullptr;
  }
  if (error = ReadStack(archive.get(), stack); !error.empty()) return nullptr;
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

std::string ReadOra(const std::filesystem::path& path, LayeredPicture& picture,
                    const ReadProgress& progress, std::vector<std::string>* notes) try {
  std::string error;
  Stack stack;
  const ZipArchive archive = OpenStack(path, stack, error);
  if (!archive) return error;
  LayeredPicture read{static_cast<int32_t>(stack.width), static_cast<int32_t>(stack.height), {}};
  LayerTargets targets{};
  for (int k = 0; k < kLayerCount; ++k) {
    read.layers[size_t(k)].resize(read.LayerBytes());
    targets[size_t(k)] = read.layers[size_t(k)].data();
  }
  if (error = ReadLayers(archive.get(), stack, targets, progress); !error.empty()) return error;
  picture = std::move(read);
  AddNotes(stack, notes);
  return {};
} catch (const std::bad_alloc&) {
  return "there is not enough memory to read " + path.string();
}

std::string ReadOraInPlace(const std::filesystem::path& path, const LayerPlace& place,
                           const ReadProgress& progress, std::vector<std::string>* notes) try {
  std::string error;
  Stack stack;
  const ZipArchive archive = OpenStack(path, stack, error);
  if (!archive) return error;
  if (error = ReadLayers(archive.get(), stack, {}, Stretch(progress, 0, 0.5)); !error.empty()) {
    return error;
  }
  LayerTargets targets{};
  const auto width = static_cast<int32_t>(stack.width);
  const auto height = static_cast<int32_t>(stack.height);
  if (error = place(width, height, targets); !error.empty()) return error;
  // The file was read whole once; only a change to it meanwhile can fail here.
  const ReadProgress reportOnly = [&progress](double done) {
    GoOn(progress, 0.5 + done / 2);
    return true;
  };
  if (error = ReadLayers(archive.get(), stack, targets, reportOnly); !error.empty()) return error;
  AddNotes(stack, notes);
  return {};
} catch (const std::bad_alloc&) {
  return "there is not enough memory to read " + path.string();
}

}  // namespace stamp::ora
