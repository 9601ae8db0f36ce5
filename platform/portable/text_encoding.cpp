#include "platform/portable/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace stamp::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t code) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  }
}

// Decodes one UTF-8 sequence at text[i], advancing i. A malformed sequence (bad lead byte,
// missing continuation, overlong form, surrogate, beyond U+10FFFF) consumes its valid prefix
// (at least one byte) and yields U+FFFD.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
  const auto lead = static_cast<uint8_t>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, code = lead & 0x07, minimum = 0x10000;
  } else {
    return kReplacement;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size()) return kReplacement;
    const auto next = static_cast<uint8_t>(text[i]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    code = (code << 6) | (next & 0x3F);
    ++i;
  }
  if (code < minimum || code > kMaxCodePoint || IsSurrogate(code)) return kReplacement;
  return code;
}

// A path's own string from UTF-8 and back. On POSIX the path's string is the bytes as they are;
// on Windows it is UTF-16, converted here so that a malformed sequence becomes U+FFFD rather
// than a failure (std::filesystem's own conversion throws).
template <typename Native>
Native NativeFromUtf8(std::string_view text) {
  if constexpr (std::is_same_v<typename Native::value_type, char>) {
    return Native(text);
  } else {
    const std::u16string wide = FromUtf8(text);
    return Native(wide.begin(), wide.end());
  }
}

template <typename Native>
std::string NativeToUtf8(const Native& native) {
  if constexpr (std::is_same_v<typename Native::value_type, char>) {
    return native;
  } else {
    return ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(native.data()), native.size()));
  }
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (IsHighSurrogate(code) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (IsSurrogate(code)) {
      code = kReplacement;
    }
    AppendUtf8(out, code);
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
  return out;
}

std::string ToFileSystemPath(std::u16string_view windowsPath) {
  std::string path = ToUtf8(windowsPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::u16string FromFileSystemPath(std::string_view path) {
  std::u16string windowsPath = FromUtf8(path);
  std::replace(windowsPath.begin(), windowsPath.end(), u'/', u'\\');
  return windowsPath;
}

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(NativeFromUtf8<std::filesystem::path::string_type>(text));
}

std::string PathToUtf8(const std::filesystem::path& path) { return NativeToUtf8(path.native()); }

size_t Utf16Length(const char16_t* text) {
  return text == nullptr ? 0 : std::char_traits<char16_t>::length(text);
}

std::u16string_view Utf16View(const char16_t* text) {
  return text == nullptr ? std::u16string_view{} : std::u16string_view{text};
}

int32_t CopyTerminated(std::u16string_view text, char16_t* buffer, int64_t capacity) {
  if (buffer == nullptr || capacity <= 0) return 0;
  const size_t count = static_cast<size_t>(
      std::min<int64_t>({static_cast<int64_t>(text.size()), capacity - 1, int64_t{INT32_MAX}}));
  text.copy(buffer, count);
  buffer[count] = u'\0';
  return static_cast<int32_t>(count);
}

}  // namespace stamp::platform
