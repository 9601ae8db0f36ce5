#include "host/commands/sheet_make_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "host/commands/exit_codes.h"
#include "host/commands/sheet_command.h"
#include "host/output/output_file.h"
#include "host/output/sheet_preview.h"
#include "host/picture/picture_reader.h"
#include "host/sheets/sheet_maker.h"
#include "platform/support/bmp_decoder.h"

namespace stamp::host {
namespace {

// Reads and fits every picture, one at a time, so only one is held whole; each refusal is a line
// on err. nullopt when any was refused.
std::optional<std::vector<FittedPicture>> FitPictures(const std::vector<std::string>& paths,
                                                      std::ostream& err) {
  std::vector<FittedPicture> fitted;
  bool refused = false;
  for (const std::string& path : paths) {
    const PictureRead read = ReadPicture(path);
    if (!read.picture) {
      err << "sheet: " << read.error << "\n";
      refused = true;
    } else if (!refused) {
      fitted.push_back(FitToCell(*read.picture));
    }
  }
  if (refused) return std::nullopt;
  return fitted;
}

std::string WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  return WriteAtomically(path, [&bytes](std::FILE* file) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()
               ? std::string()
               : std::string(std::strerror(errno));
  });
}

// The preview is drawn from the file's bytes as the platform decodes them, as the tool sees them.
std::string WritePreview(const std::string& path, const std::vector<uint8_t>& bmp) {
  const platform::BmpDecodeResult decoded = platform::DecodeBmp(bmp);
  if (!decoded.image) return "the sheet does not decode: " + decoded.error;
  return WriteSheetPreview(*decoded.image, path);
}

}  // namespace

int RunSheetMake(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const std::vector<std::string>& pictures = line.positional;
  std::string problem;
  if (line.value("--out")) problem = "--out does not go with --make; use --preview";
  if (pictures.empty()) problem = "--make needs 1 to 12 PICTUREs";
  if (pictures.size() > size_t{kSheetCells}) {
    problem = std::to_string(pictures.size()) + " pictures given; a sheet holds " +
              std::to_string(kSheetCells);
  }
  if (!problem.empty()) {
    err << "usage: stamp-host " << kSheetUsage << "\nsheet: " << problem << "\n";
    return kExitUsage;
  }
  const std::optional<std::vector<FittedPicture>> fitted = FitPictures(pictures, err);
  if (!fitted) {
    err << "sheet: no sheet written\n";
    return kExitFailure;
  }
  const std::string sheetPath = *line.value("--make");
  const std::vector<uint8_t> bmp = Sheet(*fitted).EncodeBmp();
  std::string error = WriteBytes(sheetPath, bmp);
  const std::optional<std::string> preview = line.value("--preview");
  if (error.empty() && preview) error = WritePreview(*preview, bmp);
  if (!error.empty()) {
    err << "sheet: " << error << "\n";
    return kExitFailure;
  }
  for (size_t k = 0; k < fitted->size(); ++k) {
    out << DescribeCell(static_cast<int32_t>(k), pictures[k], (*fitted)[k]) << "\n";
  }
  out << "wrote " << sheetPath;
  if (preview) out << " and " << *preview;
  out << "\n";
  return kExitOk;
}

}  // namespace stamp::host
