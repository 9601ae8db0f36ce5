// OpenRaster files (.ora) of the three layers: a zip whose first entry, "mimetype", is stored
// uncompressed and holds "image/openraster", then stack.xml, one PNG per layer under data/,
// mergedimage.png (the layers as one picture) and Thumbnails/thumbnail.png (at most 256 pixels
// on a side).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "host/ora/layered_picture.h"
#include "host/ora/read_progress.h"
#include "host/result.h"

namespace stamp::ora {

inline constexpr char kMimeType[] = "image/openraster";
inline constexpr int32_t kThumbnailSide = 256;

// Writes the layers and merged, the layers as one picture (same layout and size as a layer), to
// path. The file is written under a temporary name and renamed over path only once complete, so a
// failure (a full disk, a read-only folder) leaves any earlier file at path as it was. Fails
// saying why nothing was written.
host::Status WriteOra(const std::filesystem::path& path, const LayeredPicture& picture,
                      std::span<const uint8_t> merged);

// Reads the three layers of the file at path into picture, or fails, leaving picture as it was,
// with one sentence saying why the file is refused: not a regular file of a bounded size (a FIFO
// or device is never waited on), not a zip or damaged, an entry named outside the archive's
// folder (absolute, or with a ".." part), no OpenRaster mimetype first, a stack.xml that cannot be
// read, a size no canvas can have, other than three layers, a layer that is not a PNG of the
// image's size at (0, 0), an entry whose CRC or length differs from what it declares or that
// declares more than a layer of the image's size can take, or too little memory. Each layer is
// laid over white at its opacity as OpenRaster shows it; a hidden layer reads as white, and a
// line in notes (when given) says so of each layer read other than as stored. progress hears how
// far the read is and may stop it (read_progress.h).
host::Status ReadOra(const std::filesystem::path& path, LayeredPicture& picture,
                     const ReadProgress& progress = {}, std::vector<std::string>* notes = nullptr);

// The three layer buffers of a canvas, layer 0 first, each width x height x 3 bytes.
using LayerTargets = std::array<uint8_t*, kLayerCount>;
// Makes the canvas width x height ready and fills targets with its layer buffers, or fails saying
// why it cannot.
using LayerPlace =
    std::function<host::Status(int32_t width, int32_t height, LayerTargets& targets)>;

// Reads the file as ReadOra does, refusing what it refuses, but with no copy of the layers: each
// layer is decoded once row by row to check it, keeping nothing, then place is asked for the
// buffers and each layer is decoded again straight into its own. The read costs the buffers plus
// one layer's entry and a row. A refusal before place is called leaves everything as it was; one
// after it (only a file changed between the two passes) leaves part of the drawing in the
// buffers. progress may stop the first pass only, so a stopped read changes nothing.
host::Status ReadOraInPlace(const std::filesystem::path& path, const LayerPlace& place,
                            const ReadProgress& progress = {},
                            std::vector<std::string>* notes = nullptr);

}  // namespace stamp::ora
