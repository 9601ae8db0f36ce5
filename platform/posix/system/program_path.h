// The running program's path in the file system's '/' form: the override a test set with
// plat_set_program_path, else the executable the kernel reports.
#pragma once

#include <optional>
#include <string>

namespace stamp::platform {

// nullopt (with plat_last_error) when the kernel does not say.
std::optional<std::string> ProgramPath();

}  // namespace stamp::platform
