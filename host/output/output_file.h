// Output files are never left half-written and never written through a planted link: each is
// written to an exclusive temporary beside it and renamed over its name once complete
// (platform/support/safe_file.h). A failure names the file the caller asked for, not the
// temporary.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "host/result.h"

namespace stamp::host {

// write fills the file through the stream it is given, front to back, or fails saying why
// (without the path). Fails saying why the file was not written, naming path; on failure nothing
// new is left under either name.
Status WriteAtomically(const std::filesystem::path& path,
                       const std::function<Status(std::FILE*)>& write);

}  // namespace stamp::host
