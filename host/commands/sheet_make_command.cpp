#include "host/commands/sheet_make_command.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/commands/exit_codes.h"
#include "host/commands/sheet_command.h"
#include "host/output/sheet_preview.h"
#include "host/picture/picture_reader.h"
#include "host/sheets/sheet_maker.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/portable/text_encoding.h"
#include "platform/support/safe_file.h"

namespace stamp::host {
namespace {

namespace fs = std::filesystem;

// Reads and fits every picture, one at a time and row by row, so no picture is held whole; each
// refusal is a line on err. nullopt when any was refused.
std::optional<std::vector<FittedPicture>> FitPictures(const std::vector<std::string>& paths,
                                                      std::ostream& err) {
  std::vector<FittedPicture> fitted;
  bool refused = false;
  for (const std::string& path : paths) {
    CellFitting fitting;
    if (const Status read = ReadPictureRows(path, fitting); !read.ok()) {
      err << "sheet: " << read.error() << "\n";
      refused = true;
    } else if (!refused) {
      fitted.push_back(fitting.Result());
    }
  }
  if (refused) return std::nullopt;
  return fitted;
}

// The files the run writes: the sheet, and the preview when asked for.
struct Output {
  std::string path;
  std::vector<uint8_t> bytes;
};

// Fails when OUT and the preview cannot both be written, before anything is: the same file under
// two names (through a link or "..", or a second hard link) would hold only the last one written.
Status CheckTwoFiles(const std::string& sheet, const std::string& preview) {
  const fs::path sheetPath = platform::PathFromUtf8(sheet);
  const fs::path previewPath = platform::PathFromUtf8(preview);
  std::error_code one, two, same;
  const bool sameName = fs::weakly_canonical(fs::absolute(sheetPath), one) ==
                        fs::weakly_canonical(fs::absolute(previewPath), two);
  if ((sameName && !one && !two) || fs::equivalent(sheetPath, previewPath, same)) {
    return Failure{"the sheet and its preview cannot be written to the same file (" + sheet + ")"};
  }
  return {};
}

// The preview is drawn from the file's bytes as the platform decodes them, as the tool sees them.
Result<std::vector<uint8_t>> EncodePreview(const std::vector<uint8_t>& bmp) {
  const platform::BmpDecodeResult decoded = platform::DecodeBmp(bmp);
  if (!decoded.image) return Failure{"the sheet does not decode: " + decoded.error};
  return EncodeSheetPreview(*decoded.image);
}

// The folders that do not exist yet of those the outputs lie in.
std::vector<fs::path> MissingFolders(const std::vector<Output>& outputs) {
  std::vector<fs::path> missing;
  std::error_code error;
  for (const Output& output : outputs) {
    for (fs::path folder = platform::PathFromUtf8(output.path).parent_path();
         !folder.empty() && !fs::exists(fs::symlink_status(folder, error));
         folder = folder.parent_path()) {
      missing.push_back(folder);
    }
  }
  return missing;
}

// Every output is written whole to its temporary before any is renamed over its name, so a file
// that cannot be written leaves all of them as they were, and the folders made for them are
// removed again (only while empty). Fails saying why, and what was written when a rename failed
// after another had been made.
Status WriteTogether(const std::vector<Output>& outputs) {
  std::vector<fs::path> made = MissingFolders(outputs);
  std::vector<std::unique_ptr<platform::Replacement>> files;
  std::string why;
  for (const Output& output : outputs) {
    files.push_back(std::make_unique<platform::Replacement>(output.path));
    const std::string_view bytes(reinterpret_cast<const char*>(output.bytes.data()),
                                 output.bytes.size());
    if (!files.back()->Open(&why) || !files.back()->Write(bytes, &why)) break;
  }
  if (why.empty()) {
    for (size_t k = 0; k < files.size(); ++k) {
      if (files[k]->Commit(&why)) continue;
      if (k > 0) return Failure{why + "; " + outputs[0].path + " was written"};
      break;
    }
  }
  if (why.empty()) return {};
  files.clear();
  std::sort(made.begin(), made.end(), [](const fs::path& a, const fs::path& b) {
    return a.native().size() > b.native().size();
  });
  std::error_code error;
  for (const fs::path& folder : made) fs::remove(folder, error);
  return Failure{why + "; nothing written"};
}

// Writes the sheet, outputs' only entry, and the preview of it when asked for.
Status WriteSheetAndPreview(std::vector<Output>& outputs,
                            const std::optional<std::string>& preview) {
  if (preview) {
    STAMP_TRY(CheckTwoFiles(outputs[0].path, *preview));
    Result<std::vector<uint8_t>> png = EncodePreview(outputs[0].bytes);
    STAMP_TRY(png);
    outputs.push_back({*preview, std::move(*png)});
  }
  return WriteTogether(outputs);
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
  const std::optional<std::string> preview = line.value("--preview");
  std::vector<Output> outputs{{sheetPath, Sheet(*fitted).EncodeBmp()}};
  if (const Status written = WriteSheetAndPreview(outputs, preview); !written.ok()) {
    err << "sheet: " << written.error() << "\n";
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
