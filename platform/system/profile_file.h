// Reading and replacing a whole profile file. A missing file reads as empty text; a file that
// exists but cannot be read is a failure, so that a write never replaces contents it could not
// see. A write lands atomically: a temporary file in the same folder, flushed to disk, then
// renamed over the old one, so a crash leaves either the old file or the new, never a mixture.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stamp::platform {

// The file's bytes, "" when it does not exist, nullopt (with plat_last_error) when unreadable.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file with text, creating it and its folder when needed. An existing file keeps
// its permission bits. False (with plat_last_error) on failure, leaving no temporary file behind.
bool ReplaceFileAtomically(const std::string& path, std::string_view text);

}  // namespace stamp::platform
