#include "host/sheets/sheet_saving.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "host/output/output_file.h"
#include "host/picture/picture_reader.h"
#include "host/sheets/user_sheets.h"
#include "platform/portable/text_encoding.h"
#include "stamp/platform.h"

namespace stamp::host {

namespace fs = std::filesystem;

PicturesAdded AddSheetPictures(std::vector<FittedPicture>& pictures,
                               std::span<const fs::path> paths) {
  PicturesAdded added;
  for (size_t k = 0; k < paths.size(); ++k) {
    if (pictures.size() == size_t{kSheetCells}) {
      added.problems.push_back("A sheet holds " + std::to_string(kSheetCells) +
                               " pictures: " + std::to_string(paths.size() - k) + " of the " +
                               std::to_string(paths.size()) + " chosen were left out");
      break;
    }
    CellFitting fitting;
    if (const Status read = ReadPictureRows(platform::PathToUtf8(paths[k]), fitting); !read.ok()) {
      added.problems.push_back(read.error());
      continue;
    }
    pictures.push_back(fitting.Result());
    added.names.push_back(platform::PathToUtf8(paths[k].filename()));
  }
  return added;
}

std::u16string ToolPath(const fs::path& path) {
  return platform::FromFileSystemPath(platform::PathToUtf8(path));
}

Result<fs::path> SheetPathIn(const fs::path& folder, const std::string& name) {
  const Result<std::string> file = SheetFileName(name);
  STAMP_TRY(file);
  const fs::path sheet = folder / platform::PathFromUtf8(*file);
  if (ToolPath(sheet).size() >= PLAT_MAX_PATH) {
    return Failure{"the sheet's path " + platform::PathToUtf8(sheet) + " is too long for the tool"};
  }
  return sheet;
}

Status SaveSheet(const fs::path& path, std::span<const FittedPicture> pictures) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (error) {
    return Failure{"cannot make the sheet folder " + platform::PathToUtf8(path.parent_path()) +
                   ": " + error.message()};
  }
  const std::vector<uint8_t> bytes = Sheet(pictures).EncodeBmp();
  return WriteAtomically(path, [&bytes](std::FILE* file) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
      return Status(Failure{std::strerror(errno)});
    }
    return Status();
  });
}

}  // namespace stamp::host
