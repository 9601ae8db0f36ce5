#include "host/sheet_command.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/exit_codes.h"
#include "host/output_file.h"
#include "host/sheet_preview.h"
#include "platform/bmp_decoder.h"
#include "stamp/platform.h"

namespace stamp::host {
namespace {

constexpr int kExitRefused = kExitFailure;
constexpr int32_t kSheetWidth = 120;  // four cells of 30
constexpr int32_t kSheetHeight = 90;  // three cells of 30
// Far above any file the decoder accepts; only keeps a wrong path from being read whole.
constexpr uintmax_t kMaxFileBytes = uintmax_t{256} << 20;

std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, std::string& error) {
  std::error_code code;
  const uintmax_t size = std::filesystem::file_size(path, code);
  if (code) {
    error = "cannot read " + path + ": " + code.message();
    return std::nullopt;
  }
  if (size > kMaxFileBytes) {
    error = path + ": file of " + std::to_string(size) + " bytes is too large for a BMP";
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  return bytes;
}

std::string HeaderName(uint32_t headerSize) {
  switch (headerSize) {
    case 12: return "core header (12 bytes)";
    case 16: return "OS/2 2.x header (16 bytes)";
    case 64: return "OS/2 2.x header (64 bytes)";
    case 40: return "info header (40 bytes)";
    case 52: return "V2 header (52 bytes)";
    case 56: return "V3 header (56 bytes)";
    case 108: return "V4 header (108 bytes)";
    default: return "V5 header (124 bytes)";
  }
}

std::string CompressionName(uint32_t compression) {
  switch (compression) {
    case PLAT_BI_RLE8: return "RLE8";
    case PLAT_BI_RLE4: return "RLE4";
    case PLAT_BI_BITFIELDS: return "bitfields";
    case PLAT_BI_ALPHABITFIELDS: return "alpha bitfields";
    default: return "uncompressed";
  }
}

void PrintFormat(const platform::BmpFormat& format, std::ostream& out) {
  out << "format: " << HeaderName(format.headerSize) << ", " << format.bitsPerPixel
      << " bits per pixel, " << CompressionName(format.compression);
  if (format.paletteSize > 0) out << ", " << format.paletteSize << "-entry palette";
  out << ", rows " << (format.topDown ? "top-down" : "bottom-up") << "\n";
  out << "size: " << format.width << "x" << format.height << "\n";
  const bool fills = format.width >= kSheetWidth && format.height >= kSheetHeight;
  out << "fills " << kSheetWidth << "x" << kSheetHeight << ": " << (fills ? "yes" : "no");
  if (!fills) {
    out << " (covers " << std::min(format.width, kSheetWidth) << "x"
        << std::min(format.height, kSheetHeight) << " of the cell area)";
  } else if (format.width > kSheetWidth || format.height > kSheetHeight) {
    out << " (only its top-left " << kSheetWidth << "x" << kSheetHeight << " pixels are used)";
  }
  out << "\n";
}

std::string WritePpm(const std::string& path, const platform::DecodedBmp& image) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << image.format.width << " " << image.format.height << "\n255\n";
  for (size_t i = 0; i < image.pixels.size(); i += 3) {
    const char rgb[3] = {char(image.pixels[i + 2]), char(image.pixels[i + 1]),
                         char(image.pixels[i])};
    out.write(rgb, sizeof rgb);
  }
  out.close();
  return out ? std::string() : "cannot write " + path;
}

std::string WriteOutputs(const std::string& prefix, const platform::DecodedBmp& image) {
  const std::string error = WriteAtomically(
      prefix + ".ppm",
      [&](const std::filesystem::path& path) { return WritePpm(path.string(), image); });
  return error.empty() ? WriteSheetPreview(image, prefix + ".png") : error;
}

}  // namespace

int RunSheetCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<CommandLine> line = ParseCommandLine(args, {"--out"}, {}, error);
  if (line && line->help) {
    out << "usage: stamp-host " << kSheetUsage << "\n\n" << kSheetHelp;
    return kExitOk;
  }
  if (line && line->positional.size() != 1) error = "give one FILE";
  if (!error.empty()) {
    err << "usage: stamp-host " << kSheetUsage << "\n"
        << "sheet: " << error << "\n";
    return kExitUsage;
  }
  const std::string& file = line->positional[0];
  const std::optional<std::string> outPrefix = line->value("--out");
  const std::optional<std::vector<uint8_t>> bytes = ReadFile(file, error);
  if (!bytes) {
    err << "sheet: " << error << "\n";
    return kExitRefused;
  }
  const platform::BmpDecodeResult result = platform::DecodeBmp(*bytes);
  if (!result.image) {
    err << "sheet: " << file << ": " << result.error << "\n";
    return kExitRefused;
  }
  PrintFormat(result.image->format, out);
  if (outPrefix) {
    if (error = WriteOutputs(*outPrefix, *result.image); !error.empty()) {
      err << "sheet: " << error << "\n";
      return kExitRefused;
    }
    out << "wrote " << *outPrefix << ".ppm and " << *outPrefix << ".png\n";
  }
  return 0;
}

}  // namespace stamp::host
