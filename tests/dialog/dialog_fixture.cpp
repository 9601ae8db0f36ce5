#include "dialog_fixture.h"

#include <dlfcn.h>

#include <algorithm>
#include <fstream>

#include "stamp/platform_host.h"
#include "platform/support/text_encoding.h"

namespace stamp::test {

DialogTest::DialogTest() { plat_set_program_path((folder / "stamp-host").c_str()); }

DialogTest::~DialogTest() {
  if (picker_ != nullptr) ::dlclose(picker_);
  plat_set_program_path(nullptr);
}

void DialogTest::MakeStampFolder(const std::vector<std::string>& names) {
  std::filesystem::create_directories(folder / "stamp");
  for (const std::string& name : names) std::ofstream(folder / "stamp" / name).flush();
}

std::vector<std::u16string> DialogTest::EnumerateStampFolder() const {
  std::vector<std::u16string> names;
  const std::u16string pattern = folderText() + u"stamp\\*.bmp";
  PlatFindData found{};
  const PlatHandle find = plat_find_first_file(pattern.c_str(), &found);
  if (find == 0) return names;
  do {
    names.emplace_back(found.fileName);
  } while (plat_find_next_file(find, &found) != 0);
  plat_find_close(find);
  return names;
}

PickerScript* DialogTest::InstallPicker(const char* libraryPath) {
  const std::filesystem::path installed = folder / "tgetfile.dll";
  std::filesystem::copy_file(libraryPath, installed);
  picker_ = ::dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (picker_ == nullptr) return nullptr;
  const auto scriptOf =
      reinterpret_cast<PickerScriptOfFunction>(::dlsym(picker_, kPickerScriptSymbol));
  return scriptOf != nullptr ? scriptOf() : nullptr;
}

std::u16string DialogTest::folderText() const {
  std::string text = folder.path().string() + "/";
  std::replace(text.begin(), text.end(), '/', '\\');
  return platform::FromUtf8(text);
}

const platform::ScriptedUi::DialogRun& DialogTest::lastRun() const {
  static const platform::ScriptedUi::DialogRun kNoRun;
  if (!ui.dialogRuns().empty()) return ui.dialogRuns().back();
  ADD_FAILURE() << "no dialog ran";
  return kNoRun;
}

}  // namespace stamp::test
