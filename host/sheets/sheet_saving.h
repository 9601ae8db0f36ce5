// A sheet made from pictures in a window's dialog: the pictures read and fitted to their cells in
// the order chosen, the file the sheet's name gives in the user's sheet folder, and the sheet
// written there. The same bytes as "stamp-host sheet --make" writes for the same pictures.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "host/result.h"
#include "host/sheets/sheet_maker.h"

namespace stamp::host {

// What adding pictures did: the file name of each picture now in a cell, in cell order, and a
// line for each that could not be used, naming it, with one for those beyond the last cell.
struct PicturesAdded {
  std::vector<std::string> names;
  std::vector<std::string> problems;
};

// Reads and fits each of paths, in order, into the next free cell after pictures' own; a picture
// that cannot be read is left out and the next one takes its cell.
PicturesAdded AddSheetPictures(std::vector<FittedPicture>& pictures,
                               std::span<const std::filesystem::path> paths);

// The file the sheet called name is saved as in folder (SheetFileName), or why it cannot be: the
// name is refused, or the path is longer than the tool's load dialog takes.
Result<std::filesystem::path> SheetPathIn(const std::filesystem::path& folder,
                                          const std::string& name);

// The path as the tool takes it, in its backslash form.
std::u16string ToolPath(const std::filesystem::path& path);

// Writes the sheet of pictures at path, making its folder when missing: to a temporary beside it,
// renamed over path once whole, so a failure leaves any earlier file as it was. Fails naming the
// folder that cannot be made or the file that cannot be written, and why.
Status SaveSheet(const std::filesystem::path& path, std::span<const FittedPicture> pictures);

}  // namespace stamp::host
