// The host's output: the compositor against the literal per-byte product (the multiply loops on
// every pair of bytes in both builds, and composited rows of a record whether the layers' product
// is kept or not, before and after a layer changes), and the atomic writer, whose caller's stream
// fills an exclusive temporary that replaces the target only when the whole file was written.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <vector>

#include "host/output/compositor.h"
#include "host/output/compositor_rows.h"
#include "host/output/output_file.h"
#include "host/record/complete_record.h"
#include "support/test_files.h"

namespace stamp::host {
namespace {

namespace fs = std::filesystem;

constexpr size_t kPairs = 256 * 256;

uint8_t Literal(uint32_t s, uint32_t d) { return static_cast<uint8_t>(s * d / 255); }

std::vector<MultiplyBuilds> BuildsThatRun() {
  std::vector<MultiplyBuilds> builds{BaselineMultiply()};
  if (__builtin_cpu_supports("avx2")) builds.push_back(Avx2Multiply());
  return builds;
}

// Every pair of bytes, run from several starting bytes so each loop's unaligned head and
// leftover tail are crossed too.
TEST(CompositorTest, MultiplyLoopsGiveTheLiteralProductForEveryPairOfBytes) {
  std::vector<uint8_t> a(kPairs);
  std::vector<uint8_t> b(kPairs);
  for (size_t i = 0; i < kPairs; ++i) {
    a[i] = static_cast<uint8_t>(i >> 8);
    b[i] = static_cast<uint8_t>(i);
  }
  for (const MultiplyBuilds& build : BuildsThatRun()) {
    for (const size_t start : {size_t{0}, size_t{1}, size_t{7}, size_t{33}}) {
      const size_t bytes = kPairs - start;
      std::vector<uint8_t> into(bytes);
      std::vector<uint8_t> inPlace(b.begin() + static_cast<ptrdiff_t>(start), b.end());
      build.into(into.data(), a.data() + start, b.data() + start, bytes);
      build.inPlace(inPlace.data(), a.data() + start, bytes);
      size_t wrong = 0;
      for (size_t i = 0; i < bytes; ++i) {
        const uint8_t expected = Literal(a[start + i], b[start + i]);
        wrong += (into[i] != expected) + (inPlace[i] != expected);
      }
      EXPECT_EQ(wrong, 0u) << "from byte " << start;
    }
  }
}

class CompositedRows : public ::testing::Test {
 protected:
  static constexpr int32_t kWidth = 37;
  static constexpr int32_t kHeight = 23;

  CompositedRows() : record_(Options()) {
    for (const uint32_t field : kComposited) Randomise(field);
  }

  static HostRecordOptions Options() {
    HostRecordOptions options;
    options.canvasWidth = kWidth;
    options.canvasHeight = kHeight;
    return options;
  }

  void Randomise(uint32_t field) {
    uint8_t* bytes = record_.buffer(field);
    for (size_t i = 0; i < record_.canvasBytes(); ++i) bytes[i] = static_cast<uint8_t>(random_());
  }

  // White times layer 0, 1, 2 and, unless only the picture is asked for, the overlay, byte by
  // byte, at canvas pixel (x, y) channel c.
  uint8_t Model(int32_t x, int32_t y, int32_t c, bool pictureOnly) const {
    const size_t at = (size_t(kHeight - 1 - y) * kWidth + size_t(x)) * 3 + size_t(c);
    uint8_t pixel = 255;
    for (const uint32_t field : kComposited) {
      if (!pictureOnly || field != STAMP_REC_OVERLAY_BUFFER) {
        pixel = Literal(record_.buffer(field)[at], pixel);
      }
    }
    return pixel;
  }

  // Counts bytes of several row segments (whole rows, single pixels, the last column) of the
  // shown canvas and of the picture alone that differ from the model.
  int WrongBytes(Compositor& compositor) const {
    int wrong = 0;
    std::vector<uint8_t> row(size_t(kWidth) * 3);
    for (int32_t y = 0; y < kHeight; ++y) {
      for (const auto& [x, width] : {std::pair{0, kWidth}, {5, 1}, {kWidth - 1, 1}, {3, 20}}) {
        for (const bool pictureOnly : {false, true}) {
          if (pictureOnly) {
            compositor.PictureRow(y, x, width, row.data());
          } else {
            compositor.Row(y, x, width, row.data());
          }
          for (int32_t i = 0; i < width * 3; ++i)
            wrong += row[size_t(i)] != Model(x + i / 3, y, i % 3, pictureOnly);
        }
      }
    }
    return wrong;
  }

  static constexpr uint32_t kComposited[] = {STAMP_REC_LAYER0_BUFFER, STAMP_REC_LAYER1_BUFFER,
                                             STAMP_REC_LAYER2_BUFFER, STAMP_REC_OVERLAY_BUFFER};
  std::mt19937 random_{14};
  HostRecord record_;
};

TEST_F(CompositedRows, EqualTheLiteralProductWithTheLayersKeptOrNot) {
  Compositor plain(record_);
  Compositor keeping(record_);
  keeping.KeepLayerProduct();
  EXPECT_EQ(WrongBytes(plain), 0);
  EXPECT_EQ(WrongBytes(keeping), 0);
  // A new overlay shows at once; a new layer once the compositor is told.
  Randomise(STAMP_REC_OVERLAY_BUFFER);
  EXPECT_EQ(WrongBytes(keeping), 0);
  Randomise(STAMP_REC_LAYER1_BUFFER);
  keeping.LayersChanged();
  EXPECT_EQ(WrongBytes(keeping), 0);
  EXPECT_EQ(WrongBytes(plain), 0);
}

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
    const Status written = WriteAtomically(target, [&c](std::FILE* file) {
      for (const char* piece : c.pieces) std::fputs(piece, file);
      return c.failure.empty() ? Status() : Failure{c.failure};
    });
    EXPECT_EQ(written.error(),
              c.failure.empty() ? "" : "cannot write " + target.string() + ": " + c.failure)
        << c.what;
    EXPECT_EQ(test::ReadFile(target), c.after) << c.what;
    EXPECT_EQ(EntriesIn(scratch.path()), 1u) << c.what;
  }
}

}  // namespace
}  // namespace stamp::host
