// Output files are never left half-written and never written through a planted link: each is
// written to an exclusive temporary beside it and renamed over its name once complete
// (platform/support/safe_file.h). A failure names the file the caller asked for, not the
// temporary.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace stamp::host {

// write fills the file through the stream it is given, front to back, and gives "" or why it
// failed (without the path). Gives "" or why the file was not written, naming path; on failure
// nothing new is left under either name.
std::string WriteAtomically(const std::filesystem::path& path,
                            const std::function<std::string(std::FILE*)>& write);

}  // namespace stamp::host
