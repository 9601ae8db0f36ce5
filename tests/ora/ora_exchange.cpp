// One side of the drawing exchange between the Linux and the Windows builds
// (ora_exchange.cmake): "write FILE" writes the exchange's picture as a drawing; "check FILE"
// reads a drawing and exits 0 when its layers are the picture's, byte for byte, else 1 with why;
// "layers FILE PREFIX" writes a drawing's layers as PREFIX-layerK.raw, rows padded to 4 bytes as
// a BMP's pixels are, for a check to compare with a host's dumps (tests/win32/window_check.cmake).
// The picture is made the same on both systems: raw mt19937 words from a fixed seed.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include "host/ora/ora_file.h"

namespace {

using stamp::ora::LayeredPicture;

// Odd sizes, so that the rows' lengths and the thumbnail's scaling are not round numbers.
constexpr int32_t kWidth = 301;
constexpr int32_t kHeight = 77;
constexpr uint32_t kSeed = 2026;

LayeredPicture ExchangePicture() {
  std::mt19937 words(kSeed);
  LayeredPicture picture{kWidth, kHeight, {}};
  for (auto& layer : picture.layers) {
    layer.resize(picture.LayerBytes());
    for (uint8_t& byte : layer) byte = static_cast<uint8_t>(words());
  }
  return picture;
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "ora_exchange: %s\n", why.c_str());
  return 1;
}

int WriteLayers(const std::filesystem::path& path, const std::string& prefix) {
  LayeredPicture read;
  if (const stamp::host::Status status = stamp::ora::ReadOra(path, read); !status.ok()) {
    return Fail(status.error());
  }
  const size_t rowBytes = static_cast<size_t>(read.width) * 3;
  const std::string padding((4 - rowBytes % 4) % 4, '\0');
  for (size_t k = 0; k < read.layers.size(); ++k) {
    std::ofstream out(prefix + "-layer" + std::to_string(k) + ".raw", std::ios::binary);
    for (size_t row = 0; row < static_cast<size_t>(read.height); ++row) {
      out.write(reinterpret_cast<const char*>(read.layers[k].data() + row * rowBytes),
                static_cast<std::streamsize>(rowBytes));
      out << padding;
    }
    if (!out) return Fail("cannot write the layers");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "layers") == 0) return WriteLayers(argv[2], argv[3]);
  if (argc != 3) return Fail("usage: ora_exchange write|check FILE | layers FILE PREFIX");
  const LayeredPicture expected = ExchangePicture();
  const std::filesystem::path path = argv[2];
  if (std::strcmp(argv[1], "write") == 0) {
    const stamp::host::Status written = stamp::ora::WriteOra(path, expected, expected.layers[0]);
    return written.ok() ? 0 : Fail(written.error());
  }
  LayeredPicture read;
  if (const stamp::host::Status status = stamp::ora::ReadOra(path, read); !status.ok()) {
    return Fail(status.error());
  }
  if (read.width != kWidth || read.height != kHeight) return Fail("the size differs");
  for (size_t k = 0; k < read.layers.size(); ++k) {
    if (read.layers[k] != expected.layers[k])
      return Fail("layer " + std::to_string(k) + " differs");
  }
  std::printf("ora_exchange: the three layers are the picture's\n");
  return 0;
}
