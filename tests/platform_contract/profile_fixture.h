// A profile in a fresh folder, with the application object over it, for the profile tests of
// the contract and of the POSIX back end.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform_contract/contract_support.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"
#include "support/test_files.h"

namespace stamp::test {

// The tool's own section: the profile holds what a host stores for it.
inline constexpr const char16_t* kSection = u"" STAMP_PROFILE_SECTION;

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.path() / "host.ini";
    app = plat_app_create(Utf8Path(path).c_str());
    ASSERT_NE(app, nullptr) << plat_last_error();
  }
  void TearDown() override { plat_app_destroy(app); }

  std::u16string GetString(const char16_t* key, const char16_t* fallback = u"") {
    char16_t buffer[PLAT_MAX_PATH];
    plat_profile_get_string(app, kSection, key, fallback, buffer, PLAT_MAX_PATH);
    return buffer;
  }

  TempFolder folder;
  std::filesystem::path path;
  PlatApp* app = nullptr;
};

}  // namespace stamp::test
