#include "plugin/elf_dynamic.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace stamp::test {
namespace {

using Bytes = std::vector<char>;

// A copy of the T at offset, or nothing when it would reach past the end of the file.
template <typename T>
std::optional<T> At(const Bytes& bytes, uint64_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

std::string StringAt(const Bytes& bytes, uint64_t table, uint64_t index) {
  std::string text;
  for (uint64_t i = table + index; i < bytes.size() && bytes[i] != '\0'; ++i) text += bytes[i];
  return text;
}

template <typename Sym, typename Shdr>
bool AddSymbols(const Bytes& bytes, const Shdr& section, uint64_t strings, ElfDynamic& result) {
  for (uint64_t at = 0; at + sizeof(Sym) <= section.sh_size; at += sizeof(Sym)) {
    const auto symbol = At<Sym>(bytes, section.sh_offset + at);
    if (!symbol) return false;
    if (symbol->st_shndx != SHN_UNDEF) {
      result.definedSymbols.insert(StringAt(bytes, strings, symbol->st_name));
    }
  }
  return true;
}

template <typename Dyn, typename Shdr>
bool AddDynamicEntries(const Bytes& bytes, const Shdr& section, uint64_t strings,
                       ElfDynamic& result) {
  for (uint64_t at = 0; at + sizeof(Dyn) <= section.sh_size; at += sizeof(Dyn)) {
    const auto entry = At<Dyn>(bytes, section.sh_offset + at);
    if (!entry) return false;
    const std::string text = StringAt(bytes, strings, entry->d_un.d_val);
    if (entry->d_tag == DT_SONAME) result.soname = text;
    if (entry->d_tag == DT_RUNPATH || entry->d_tag == DT_RPATH) result.runPaths.push_back(text);
  }
  return true;
}

// Walks the section headers; the string table of each section is the one its sh_link names.
template <typename Ehdr, typename Shdr, typename Sym, typename Dyn>
std::optional<ElfDynamic> Parse(const Bytes& bytes) {
  const auto header = At<Ehdr>(bytes, 0);
  if (!header) return std::nullopt;
  const auto sectionAt = [&](uint64_t index) {
    return At<Shdr>(bytes, header->e_shoff + index * header->e_shentsize);
  };
  ElfDynamic result;
  for (uint32_t s = 0; s < header->e_shnum; ++s) {
    const auto section = sectionAt(s);
    if (!section) return std::nullopt;
    if (section->sh_type != SHT_DYNSYM && section->sh_type != SHT_DYNAMIC) continue;
    const auto strings = sectionAt(section->sh_link);
    if (!strings) return std::nullopt;
    const bool read = section->sh_type == SHT_DYNSYM
                          ? AddSymbols<Sym>(bytes, *section, strings->sh_offset, result)
                          : AddDynamicEntries<Dyn>(bytes, *section, strings->sh_offset, result);
    if (!read) return std::nullopt;
  }
  return result;
}

}  // namespace

std::optional<ElfDynamic> ReadElfDynamic(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  const Bytes bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (bytes.size() < EI_NIDENT || std::memcmp(bytes.data(), ELFMAG, SELFMAG) != 0) {
    return std::nullopt;
  }
  switch (bytes[EI_CLASS]) {
    case ELFCLASS32: return Parse<Elf32_Ehdr, Elf32_Shdr, Elf32_Sym, Elf32_Dyn>(bytes);
    case ELFCLASS64: return Parse<Elf64_Ehdr, Elf64_Shdr, Elf64_Sym, Elf64_Dyn>(bytes);
    default: return std::nullopt;
  }
}

}  // namespace stamp::test
