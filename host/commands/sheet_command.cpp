#include "host/commands/sheet_command.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/commands/command_line.h"
#include "host/commands/exit_codes.h"
#include "host/commands/sheet_make_command.h"
#include "host/output/output_file.h"
#include "host/output/sheet_preview.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/portable/text_encoding.h"
#include "platform/support/safe_file.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

constexpr int kExitRefused = kExitFailure;
constexpr int32_t kSheetWidth = STAMP_SHEET_WIDTH;
constexpr int32_t kSheetHeight = STAMP_SHEET_HEIGHT;
// Far above any file the decoder accepts; only keeps a wrong path from being read whole.
constexpr uint64_t kMaxFileBytes = uint64_t{256} << 20;

// A folder, FIFO or device is refused unread, and so is a file too large to be a BMP.
Result<std::vector<uint8_t>> ReadFile(const std::string& path) {
  std::string why;
  const std::optional<std::string> bytes = platform::ReadRegularFile(path, kMaxFileBytes, &why);
  if (!bytes) return Failure{why};
  return std::vector<uint8_t>(bytes->begin(), bytes->end());
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

// The pixels go out row by row, turned from the decoder's BGR into the format's RGB.
Status WritePpm(const std::string& path, const platform::DecodedBmp& image) {
  return WriteAtomically(platform::PathFromUtf8(path), [&image](std::FILE* file) {
    const std::string header = "P6\n" + std::to_string(image.format.width) + " " +
                               std::to_string(image.format.height) + "\n255\n";
    std::vector<uint8_t> row(size_t(image.format.width) * 3);
    bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    for (size_t start = 0; written && start < image.pixels.size(); start += row.size()) {
      for (size_t i = 0; i < row.size(); i += 3) {
        row[i] = image.pixels[start + i + 2];
        row[i + 1] = image.pixels[start + i + 1];
        row[i + 2] = image.pixels[start + i];
      }
      written = std::fwrite(row.data(), 1, row.size(), file) == row.size();
    }
    if (!written) return Status(Failure{std::strerror(errno)});
    return Status();
  });
}

// PREFIX must end in a file name: "" and "dir/" would write hidden files named ".ppm", ".png".
Status CheckOutPrefix(const std::string& prefix) {
  if (prefix.empty() || prefix.back() == '/') {
    return Failure{"--out needs a file name, such as out/sheet"};
  }
  return {};
}

// Missing folders of the prefix are created, as run --out creates its folder.
Status WriteOutputs(const std::string& prefix, const platform::DecodedBmp& image) {
  if (std::string why; !platform::MakeFolderFor(prefix, &why)) return Failure{why};
  STAMP_TRY(WritePpm(prefix + ".ppm", image));
  return WriteSheetPreview(image, platform::PathFromUtf8(prefix + ".png"));
}

}  // namespace

int RunSheetCommand(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  const Result<CommandLine> line = ParseCommandLine(args, {"--out", "--make", "--preview"}, {});
  std::string error = line.error();
  if (line.ok() && line->help) {
    out << "usage: stamp-host " << kSheetUsage << "\n\n" << kSheetHelp << kSheetMakeHelp;
    return kExitOk;
  }
  if (line.ok() && line->value("--make")) return RunSheetMake(*line, out, err);
  if (line.ok() && line->positional.size() != 1) error = "give one FILE";
  if (line.ok() && line->value("--preview")) error = "--preview goes with --make";
  if (line.ok() && error.empty() && line->value("--out"))
    error = CheckOutPrefix(*line->value("--out")).error();
  if (!error.empty()) {
    err << "usage: stamp-host " << kSheetUsage << "\n"
        << "sheet: " << error << "\n";
    return kExitUsage;
  }
  const std::string& file = line->positional[0];
  const std::optional<std::string> outPrefix = line->value("--out");
  const Result<std::vector<uint8_t>> bytes = ReadFile(file);
  if (!bytes.ok()) {
    err << "sheet: " << bytes.error() << "\n";
    return kExitRefused;
  }
  const platform::BmpDecodeResult result = platform::DecodeBmp(*bytes);
  if (!result.image) {
    err << "sheet: " << file << ": " << result.error << "\n";
    return kExitRefused;
  }
  PrintFormat(result.image->format, out);
  if (outPrefix) {
    if (const Status written = WriteOutputs(*outPrefix, *result.image); !written.ok()) {
      err << "sheet: " << written.error() << "\n";
      return kExitRefused;
    }
    out << "wrote " << *outPrefix << ".ppm and " << *outPrefix << ".png\n";
  }
  return 0;
}

}  // namespace stamp::host
