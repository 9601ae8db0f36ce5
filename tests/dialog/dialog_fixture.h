// A fake host program for the load dialog: a fresh folder D holding the program "stamp-host",
// optionally a stamp\ folder of BMP names and a tgetfile.dll, with the scripted UI installed.
// Each test ends by checking that every platform object it made was released.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/support/scripted_ui.h"
#include "support/live_objects.h"
#include "support/test_files.h"
#include "test_picker.h"

namespace stamp::test {

class DialogTest : public ::testing::Test {
 protected:
  DialogTest();
  ~DialogTest() override;
  void TearDown() override;

  // Creates D/stamp/ with an empty file for each name.
  void MakeStampFolder(const std::vector<std::string>& names);
  // The names plat_find_first_file/next give for D\stamp\*.bmp, in their order.
  std::vector<std::u16string> EnumerateStampFolder() const;
  // Copies a built picker library in as D/tgetfile.dll and keeps it loaded; its script when it
  // has one.
  PickerScript* InstallPicker(const char* libraryPath);
  // D in backslash form, ending in a backslash.
  std::u16string folderText() const;
  const platform::ScriptedUi::DialogRun& lastRun() const;

  const TempFolder folder;
  platform::ScriptedUi ui;

 private:
  const LiveObjects liveObjects_;
  void* picker_ = nullptr;
};

}  // namespace stamp::test
