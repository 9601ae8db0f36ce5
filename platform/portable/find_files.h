// File enumeration by pattern, as plat_find_first_file and friends offer it. The pattern
// "folder\name" is split at its last backslash: the folder is read in the order the file
// system gives, and each entry's name is matched against the name part.
//
// Directories are reported like files when their names match, as Windows reports them ("." and
// ".." never are); PlatFindData has no attributes to tell them apart. A pattern without a
// backslash names entries of the current folder.
#pragma once

#include <string_view>

namespace stamp::platform {

// '*' matches any run of units, '?' any one unit; ASCII letters match without regard to case.
bool MatchesPattern(std::u16string_view pattern, std::u16string_view name);

}  // namespace stamp::platform
