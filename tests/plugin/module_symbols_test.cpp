// What the built module and the platform library show the dynamic linker, as the binary tools
// read it: the host finds exactly the entry points stamp/plugin.h lists, under the export directory
// name it expects, and the platform library one folder up; the platform library offers its plat_*
// calls and nothing of its inside.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "plugin/module_fixture.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

std::string Output(const std::string& command, const std::filesystem::path& binary) {
  std::string text;
  FILE* pipe = popen((command + " '" + binary.string() + "'").c_str(), "r");
  if (pipe == nullptr) return text;
  char chunk[4096];
  for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, n);
  pclose(pipe);
  return text;
}

// The names in a binary's dynamic symbol table that it defines itself.
std::set<std::string> DefinedSymbols(const std::filesystem::path& binary) {
  // POSIX format: one defined dynamic symbol a line, its name first.
  std::istringstream lines(Output("nm -D --defined-only -P", binary));
  std::set<std::string> defined;
  for (std::string line; std::getline(lines, line);) defined.insert(line.substr(0, line.find(' ')));
  return defined;
}

TEST(ModuleSymbols, ExportsExactlyTheListedEntryPoints) {
  const std::set<std::string> defined = DefinedSymbols(PluginPath());
#define STAMP_EXPORT_NAME(type, name, member) #name,
  const std::set<std::string> expected = {STAMP_PLUGIN_EXPORTS(STAMP_EXPORT_NAME)};
#undef STAMP_EXPORT_NAME
  EXPECT_EQ(defined, expected);
}

TEST(ModuleSymbols, NamesItselfAndFindsThePlatformInTheHostFolder) {
  const std::string dynamic = Output("readelf -d", PluginPath());
  EXPECT_NE(dynamic.find("Library soname: [KVO_TEXTURE.plg]"), std::string::npos) << dynamic;
  EXPECT_NE(dynamic.find("$ORIGIN/.."), std::string::npos) << dynamic;
}

TEST(PlatformSymbols, ExportsOnlyThePlatformCalls) {
  const std::set<std::string> defined = DefinedSymbols(HostFolder() / "libstamp_platform.so");
  EXPECT_TRUE(defined.contains("plat_last_error"));
  for (const std::string& name : defined) EXPECT_TRUE(name.starts_with("plat_")) << name;
}

}  // namespace
}  // namespace stamp::test
