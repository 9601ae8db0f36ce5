// The host's atomic writer: the caller's stream fills an exclusive temporary, which replaces the
// target only when the whole file was written.
#include "host/output/output_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>

#include "support/test_files.h"

namespace stamp::host {
namespace {

namespace fs = std::filesystem;

size_t EntriesIn(const fs::path& folder) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(WriteAtomically, ReplacesTheTargetWithWhatTheStreamGot) {
  const test::TempFolder scratch;
  const fs::path target = scratch.path() / "out.bin";
  test::WriteFile(target, "old");
  const std::string error = WriteAtomically(target, [](std::FILE* file) {
    std::fputs("new ", file);
    std::fputs("bytes", file);
    return std::string();
  });
  EXPECT_EQ(error, "");
  EXPECT_EQ(test::ReadFile(target), "new bytes");
  EXPECT_EQ(EntriesIn(scratch.path()), 1u);
}

TEST(WriteAtomically, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  const test::TempFolder scratch;
  const fs::path target = scratch.path() / "out.bin";
  test::WriteFile(target, "old");
  const std::string error = WriteAtomically(target, [](std::FILE* file) {
    std::fputs("half", file);
    return std::string("encoder gave up");
  });
  EXPECT_EQ(error, "cannot write " + target.string() + ": encoder gave up");
  EXPECT_EQ(test::ReadFile(target), "old");
  EXPECT_EQ(EntriesIn(scratch.path()), 1u);
}

}  // namespace
}  // namespace stamp::host
