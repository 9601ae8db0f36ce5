// Replays the fuzzer's seed corpus and the regression files its findings became. Under the
// sanitizer build this catches any read or write out of bounds; everywhere it checks that each
// file is either decoded whole or refused with a reason.
#include <gtest/gtest.h>

#include "bmp_test_files.h"
#include "platform/support/bmp_decoder.h"

namespace stamp::test {
namespace {

void ExpectDecodedWholeOrRefused(const std::filesystem::path& folder) {
  const std::vector<std::string> names = ListFiles(folder, "");
  for (const std::string& name : names) {
    const auto result = platform::DecodeBmp(ReadBytes(folder / name));
    if (result.image) {
      const platform::BmpFormat& format = result.image->format;
      EXPECT_EQ(result.image->pixels.size(), size_t(format.width) * size_t(format.height) * 3)
          << name;
    } else {
      EXPECT_FALSE(result.error.empty()) << name;
    }
  }
}

TEST(BmpReplay, SeedCorpusDecodesOrIsRefused) {
  ASSERT_FALSE(ListFiles(kBmpCorpusDir, ".bmp").empty());
  ExpectDecodedWholeOrRefused(kBmpCorpusDir);
}

TEST(BmpReplay, RegressionFilesDecodeOrAreRefused) {
  ExpectDecodedWholeOrRefused(kBmpFixtureDir / "regressions");
}

}  // namespace
}  // namespace stamp::test
