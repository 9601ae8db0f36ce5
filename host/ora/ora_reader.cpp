// Reading an OpenRaster file as the three layers of a canvas: every name and size is checked
// before anything is inflated or allocated, every read is bounded, and the layers are handed over
// only when all three decoded.
#include <png.h>

#include <string_view>

#include "host/ora/ora_file.h"
#include "host/ora/stack_xml.h"
#include "host/ora/zip_archive.h"
#include "host/record/canvas_size.h"

namespace stamp::ora {
namespace {

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

// The whole entry, or why not: missing, damaged, or longer than limit bytes once inflated
// (whatever its header claims: at most limit + 1 bytes are ever inflated).
std::string ReadEntry(zip_t* archive, const std::string& name, size_t limit, Bytes& bytes) {
  const zip_int64_t index = zip_name_locate(archive, name.c_str(), 0);
  zip_stat_t stat;
  if (index < 0 || zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
    return "the file has no " + name;
  }
  if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > limit) {
    return name + " inflates past the size its picture can take";
  }
  zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0);
  if (file == nullptr) return name + " cannot be read: " + zip_strerror(archive);
  bytes.resize(limit + 1);
  const zip_int64_t read = zip_fread(file, bytes.data(), bytes.size());
  const std::string reason = read < 0 ? zip_file_strerror(file) : "";
  zip_fclose(file);
  if (read < 0) return name + " is damaged: " + reason;
  if (static_cast<size_t>(read) > limit)
    return name + " inflates past the size its picture can take";
  bytes.resize(static_cast<size_t>(read));
  return {};
}

std::string CheckMimeType(zip_t* archive) {
  Bytes bytes;
  const char* first = zip_get_name(archive, 0, 0);
  zip_stat_t stat;
  const bool storedFirst = first != nullptr && std::string_view(first) == "mimetype" &&
                           zip_stat_index(archive, 0, 0, &stat) == 0 &&
                           stat.comp_method == ZIP_CM_STORE;
  if (!storedFirst || !ReadEntry(archive, "mimetype", kMimeTypeLimit, bytes).empty() ||
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()) != kMimeType) {
    return "the file is not an OpenRaster picture (no stored mimetype \"image/openraster\" first)";
  }
  return {};
}

std::string ReadStack(zip_t* archive, Stack& stack) {
  Bytes bytes;
  if (std::string error = ReadEntry(archive, "stack.xml", kStackXmlLimit, bytes); !error.empty()) {
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

// Decodes a PNG of exactly width x height into the record's layout; transparency is laid onto
// white, the colour that leaves the layers behind unchanged.
std::string DecodeLayer(const std::string& name, const Bytes& png, int32_t width, int32_t height,
                        Bytes& pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, png.data(), png.size()) == 0) {
    return name + " is not a PNG picture: " + image.message;
  }
  if (image.width != static_cast<png_uint_32>(width) ||
      image.height != static_cast<png_uint_32>(height)) {
    const std::string size = std::to_string(image.width) + "x" + std::to_string(image.height);
    png_image_free(&image);
    return name + " is " + size + ", not the picture's " + std::to_string(width) + "x" +
           std::to_string(height);
  }
  image.format = PNG_FORMAT_BGR;
  const png_color white{0xFF, 0xFF, 0xFF};
  const auto stride = static_cast<png_int_32>(static_cast<size_t>(width) * kBytesPerPixel);
  pixels.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
  // A negative stride: the rows go bottom row first, the record's order.
  if (png_image_finish_read(&image, &white, pixels.data(), -stride, nullptr) == 0) {
    return name + " is damaged: " + image.message;
  }
  return {};
}

std::string ReadLayers(zip_t* archive, const Stack& stack, LayeredPicture& picture) {
  picture.width = static_cast<int32_t>(stack.width);
  picture.height = static_cast<int32_t>(stack.height);
  const size_t limit =
      static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * kPngBytesPerPixel +
      kPngMargin;
  for (size_t i = 0; i < stack.layers.size(); ++i) {
    const StackLayer& layer = stack.layers[i];
    if (layer.x != 0 || layer.y != 0) return layer.src + " does not lie at the picture's corner";
    Bytes png;
    if (std::string error = ReadEntry(archive, layer.src, limit, png); !error.empty()) return error;
    // stack.xml lists the front layer first.
    Bytes& pixels = picture.layers[static_cast<size_t>(kLayerCount) - 1 - i];
    if (std::string error = DecodeLayer(layer.src, png, picture.width, picture.height, pixels);
        !error.empty()) {
      return error;
    }
  }
  return {};
}

}  // namespace

std::string ReadOra(const std::filesystem::path& path, LayeredPicture& picture) {
  std::string error;
  const ZipArchive archive = OpenZip(path.string(), ZIP_RDONLY | ZIP_CHECKCONS, error);
  if (!archive) return "cannot open " + path.string() + ": " + error;
  Stack stack;
  LayeredPicture read;
  for (const auto& step : {CheckEntryNames, CheckMimeType}) {
    if (error = step(archive.get()); !error.empty()) return error;
  }
  if (error = ReadStack(archive.get(), stack); !error.empty()) return error;
  if (error = ReadLayers(archive.get(), stack, read); !error.empty()) return error;
  picture = std::move(read);
  return {};
}

}  // namespace stamp::ora
