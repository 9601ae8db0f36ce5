// What the contract tests need beyond the contract itself, the same on both back ends: paths in
// the forms the platform takes, and the count of live drawing objects to find leaks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/testing/platform_testing.h"
#endif
#include "stamp/platform.h"

namespace stamp::test {

// The path in the platform's backslash form, UTF-16.
inline std::u16string PlatPath(const std::filesystem::path& path) {
  std::u16string text = path.u16string();
  for (char16_t& c : text) {
    if (c == u'/') c = u'\\';
  }
  return text;
}

// The path as UTF-8, as plat_app_create takes it.
inline std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Live drawing objects of the process: the platform's own count on POSIX, the system's count of
// GDI objects on Windows. Wine's count stays 0, so under Wine a leak goes unseen here.
inline int32_t LiveObjectCount() {
#ifdef _WIN32
  return static_cast<int32_t>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
#else
  return plat_live_object_count();
#endif
}

// Declared first in a test (or a fixture), fails the test when the live drawing objects at its
// end are not those of its start.
class NoObjectLeft {
 public:
  NoObjectLeft() : before_(LiveObjectCount()) {}
  ~NoObjectLeft() { EXPECT_EQ(LiveObjectCount(), before_); }
  NoObjectLeft(const NoObjectLeft&) = delete;
  NoObjectLeft& operator=(const NoObjectLeft&) = delete;

 private:
  const int32_t before_;
};

// The program's path as plat_get_module_file_name gives it into a buffer of that capacity; the
// running test fails when the length it tells is not the length it wrote.
inline std::u16string ModuleFileName(int32_t capacity = PLAT_MAX_PATH) {
  std::vector<char16_t> buffer(static_cast<size_t>(capacity) + 1, u'#');
  const int32_t length = plat_get_module_file_name(buffer.data(), capacity);
  EXPECT_EQ(static_cast<size_t>(length), std::u16string(buffer.data()).size());
  return buffer.data();
}

// Every name a find over the pattern reports, in the order reported; the running test fails when
// the find does not close exactly once.
inline std::vector<std::u16string> FindAll(const std::u16string& pattern) {
  std::vector<std::u16string> names;
  PlatFindData data;
  const PlatHandle find = plat_find_first_file(pattern.c_str(), &data);
  if (find == 0) return names;
  do names.emplace_back(data.fileName);
  while (plat_find_next_file(find, &data) != 0);
  EXPECT_EQ(plat_find_close(find), 1);
  EXPECT_EQ(plat_find_close(find), 0);
  return names;
}

// Loads the probe library by its name, calls its export, looks up one it lacks and frees it; a
// freed handle must name nothing. The running test fails at the first step that does not hold.
inline void ExpectProbeLibraryAnswers(const char16_t* name) {
  const PlatHandle library = plat_load_library(name);
  ASSERT_NE(library, 0u) << plat_last_error();
  using Answer = int (*)();
  const auto answer = reinterpret_cast<Answer>(plat_get_proc_address(library, "sys_probe_answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(plat_get_proc_address(library, "tGetFile"), nullptr);
  EXPECT_STRNE(plat_last_error(), "");
  EXPECT_EQ(plat_free_library(library), 1);
  EXPECT_EQ(plat_free_library(library), 0);
  EXPECT_EQ(plat_get_proc_address(library, "sys_probe_answer"), nullptr);
}

}  // namespace stamp::test
