// What a file handed to the window from outside (the command line, a drop, the recent list) is
// taken for, by its name's suffix as file managers do: a drawing (.ora), a picture for layer 0
// (.png, .jpg, .jpeg, .bmp, any case), or neither. The file's bytes are checked when it is read.
#pragma once

#include <filesystem>

namespace stamp::document {

enum class FileKind { kDrawing, kPicture, kOther };

FileKind KindOfFile(const std::filesystem::path& path);

}  // namespace stamp::document
