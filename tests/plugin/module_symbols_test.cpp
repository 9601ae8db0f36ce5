// What the built module shows the dynamic linker: the host finds exactly the thirteen entry
// points, under the export directory name it expects, and the platform library one folder up.
#include <gtest/gtest.h>

#include "plugin/elf_dynamic.h"
#include "plugin/plugin_module.h"

namespace stamp::test {
namespace {

TEST(ModuleSymbols, ExportsExactlyTheThirteenEntryPoints) {
  const auto elf = ReadElfDynamic(PluginPath());
  ASSERT_TRUE(elf.has_value()) << PluginPath();
  const std::set<std::string> expected = {
      "plg_init",           "plg_destroy",      "plg_info",         "plg_version",
      "plg_update_submenu", "plg_submenu_down", "plg_submenu_move", "plg_submenu_up",
      "plg_mouse_down",     "plg_mouse_move",   "plg_mouse_up",     "plg_key_a",
      "plg_key_b"};
  EXPECT_EQ(elf->definedSymbols, expected);
}

TEST(ModuleSymbols, NamesItselfAndFindsThePlatformInTheHostFolder) {
  const auto elf = ReadElfDynamic(PluginPath());
  ASSERT_TRUE(elf.has_value()) << PluginPath();
  EXPECT_EQ(elf->soname, "KVO_TEXTURE.plg");
  bool originParent = false;
  for (const std::string& path : elf->runPaths) {
    originParent |= path.find("$ORIGIN/..") != std::string::npos;
  }
  EXPECT_TRUE(originParent) << "no run path entry $ORIGIN/..";
}

}  // namespace
}  // namespace stamp::test
