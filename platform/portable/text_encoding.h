// Conversion between the platform's UTF-16 strings and the UTF-8 the system speaks, between
// backslash paths and file-system paths, and between UTF-8 text and std::filesystem paths.
// Conversions never fail: an invalid sequence (a lone surrogate, a malformed UTF-8 byte) becomes
// U+FFFD.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace stamp::platform {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// "stamp\a.bmp" -> "stamp/a.bmp", converted to UTF-8.
std::string ToFileSystemPath(std::u16string_view windowsPath);
// "/opt/host/stamp-host" -> "\opt\host\stamp-host", converted to UTF-16.
std::u16string FromFileSystemPath(std::string_view path);

// Every path a host or the platform holds as a std::string is UTF-8, on Windows too. These are
// the one way between that text and std::filesystem::path: the path's own narrow form is the
// ANSI code page on Windows, which loses every letter outside it.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

// The length of a zero-terminated UTF-16 string; 0 for nullptr.
size_t Utf16Length(const char16_t* text);
// A zero-terminated UTF-16 string as a view; empty for nullptr.
std::u16string_view Utf16View(const char16_t* text);

// Copies text into buffer cut to capacity - 1 units and terminates it; gives the units copied.
// Copies nothing when buffer is nullptr or capacity is not positive.
int32_t CopyTerminated(std::u16string_view text, char16_t* buffer, int64_t capacity);

}  // namespace stamp::platform
