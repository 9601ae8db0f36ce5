// The name pattern of file enumeration: pure text matching, kept apart from the folder reading.
#include "platform/portable/find_files.h"

namespace stamp::platform {
namespace {

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }

}  // namespace

bool MatchesPattern(std::u16string_view pattern, std::u16string_view name) {
  // Greedy matching with one backtrack point: the last '*' seen and where it began to match.
  size_t p = 0, n = 0, star = std::u16string_view::npos, starMatch = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      starMatch = n;
    } else if (p < pattern.size() &&
               (pattern[p] == u'?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
      ++p, ++n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      n = ++starMatch;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace stamp::platform
