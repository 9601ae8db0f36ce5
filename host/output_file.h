// Output files are never left half-written and never written through a planted link: each is
// written to an exclusive temporary beside it and renamed over its name once complete
// (platform/profile_file.h). A failure names the file the caller asked for, not the temporary.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace stamp::host {

// Gives "" or why the file was not written; on failure nothing new is left under either name.
std::string WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace stamp::host
