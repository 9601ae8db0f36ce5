// hostDirectory, the folder the plug-in finds its files under: stored in the record as UTF-16 in
// backslash form, ending in a backslash, at most STAMP_HOST_DIRECTORY_CAPACITY units with the
// terminator.
#pragma once

#include <filesystem>
#include <string>

namespace stamp::host {

// The folder in the record's form. Throws std::runtime_error when it does not fit the record.
std::u16string HostDirectoryText(const std::filesystem::path& folder);

// The folder of the running program (program_folder_posix.cpp, program_folder_win32.cpp).
std::filesystem::path ProgramFolder();

}  // namespace stamp::host
