// The POSIX back end's faults in loading a sheet; loads and refusals are contract tests.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "platform/testing/platform_testing.h"
#include "stamp/platform.h"
#include "support/bmp_writer.h"
#include "support/test_files.h"
#include "support/test_host.h"

namespace stamp::test {
namespace {

TEST(BitmapFiles, InjectedFaultsFailTheLoad) {
  const TempFolder folder;
  const std::u16string path = WriteSheet(folder / "sheet.bmp", PatternPicture(3, 2, 0));
  for (const PlatFault fault : {PLAT_FAULT_BMP_LOAD, PLAT_FAULT_ALLOC_LOW}) {
    plat_fault_inject(fault, 0);
    EXPECT_EQ(plat_load_bitmap_file(path.c_str()), 0u) << fault;
    plat_fault_clear();
  }
  const PlatHandle bitmap = plat_load_bitmap_file(path.c_str());
  EXPECT_NE(bitmap, 0u);
  plat_delete_object(bitmap);
}

// A FIFO put at a sheet's path is refused at once, never waited on for a writer.
TEST(BitmapFiles, FifoAtTheSheetsPathIsRefusedAtOnce) {
  const TempFolder folder;
  ASSERT_EQ(mkfifo((folder / "sheet.fifo").c_str(), 0600), 0);
  EXPECT_EQ(plat_load_bitmap_file(WindowsPath(folder / "sheet.fifo").c_str()), 0u);
  EXPECT_STRNE(plat_last_error(), "");
}

}  // namespace
}  // namespace stamp::test
