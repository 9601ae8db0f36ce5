// Reads what a shared object offers to the dynamic linker: its defined dynamic symbols and the
// strings of its dynamic section. Handles 32- and 64-bit little-endian ELF files.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace stamp::test {

struct ElfDynamic {
  std::set<std::string> definedSymbols;  // .dynsym entries with a section (not undefined)
  std::string soname;
  std::vector<std::string> runPaths;  // DT_RUNPATH and DT_RPATH entries as written
};

// Empty when the file cannot be read or is not an ELF file of either class.
std::optional<ElfDynamic> ReadElfDynamic(const std::filesystem::path& file);

}  // namespace stamp::test
