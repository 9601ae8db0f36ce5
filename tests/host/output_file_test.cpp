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
  return static_cast<size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// The stream writes in two pieces; the target holds them only when the stream reports no error.
TEST(WriteAtomically, ReplacesTheTargetOnlyWithAWholeFileAndLeavesNoTemporary) {
  struct Case {
    const char* what;
    const char* pieces[2];
    std::string failure;  // the stream's error, "" for none
    std::string after;    // the target's bytes afterwards
  };
  for (const Case& c : {Case{"whole write", {"new ", "bytes"}, "", "new bytes"},
                        Case{"failed write", {"half", ""}, "encoder gave up", "old"}}) {
    const test::TempFolder scratch;
    const fs::path target = scratch.path() / "out.bin";
    test::WriteFile(target, "old");
    const std::string error = WriteAtomically(target, [&c](std::FILE* file) {
      for (const char* piece : c.pieces) std::fputs(piece, file);
      return c.failure;
    });
    EXPECT_EQ(error, c.failure.empty() ? "" : "cannot write " + target.string() + ": " + c.failure)
        << c.what;
    EXPECT_EQ(test::ReadFile(target), c.after) << c.what;
    EXPECT_EQ(EntriesIn(scratch.path()), 1u) << c.what;
  }
}

}  // namespace
}  // namespace stamp::host
