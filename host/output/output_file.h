// Output files are never left half-written: each is written under a temporary name in its own
// folder and renamed over the final name only once complete.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace stamp::host {

// write fills the file at the path it is given and gives "" or why it failed. Gives "" or why
// the file was not written; on failure nothing is left under either name.
std::string WriteAtomically(const std::filesystem::path& path,
                            const std::function<std::string(const std::filesystem::path&)>& write);

}  // namespace stamp::host
