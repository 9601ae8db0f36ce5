#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "stamp/platform.h"

namespace {

constexpr uint64_t kFourGiB = uint64_t{1} << 32;

bool EndsBelowFourGiB(const void* block, size_t bytes) {
  return reinterpret_cast<uintptr_t>(block) + uint64_t{bytes} <= kFourGiB;
}

bool AllZero(const uint8_t* block, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) {
    if (block[i] != 0) return false;
  }
  return true;
}

class LowMemorySizes : public ::testing::TestWithParam<size_t> {};

TEST_P(LowMemorySizes, BlockIsZeroFilledWritableAndBelowFourGiB) {
  const size_t bytes = GetParam();
  auto* block = static_cast<uint8_t*>(plat_alloc_low(bytes));
  ASSERT_NE(block, nullptr) << plat_last_error();
  EXPECT_TRUE(EndsBelowFourGiB(block, bytes));
  EXPECT_TRUE(AllZero(block, bytes));
  if (bytes > 0) {
    block[0] = 1;
    block[bytes - 1] = 2;
  }
  plat_free_low(block);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LowMemorySizes,
                         ::testing::Values(size_t{0}, size_t{1}, size_t{4095}, size_t{4097},
                                           size_t{756000}, size_t{200} << 20));

TEST(LowMemory, BlocksDoNotOverlapAndFreedMemoryComesBackZeroed) {
  constexpr size_t kBytes = 10000;
  std::vector<uint8_t*> blocks;
  for (int i = 0; i < 8; ++i) {
    blocks.push_back(static_cast<uint8_t*>(plat_alloc_low(kBytes)));
    ASSERT_NE(blocks.back(), nullptr) << plat_last_error();
    std::memset(blocks.back(), 0xAB, kBytes);
  }
  for (size_t i = 0; i < blocks.size(); ++i) {
    for (size_t j = i + 1; j < blocks.size(); ++j) {
      EXPECT_TRUE(blocks[i] + kBytes <= blocks[j] || blocks[j] + kBytes <= blocks[i]);
    }
  }
  for (uint8_t* block : blocks) plat_free_low(block);
  auto* again = static_cast<uint8_t*>(plat_alloc_low(kBytes));
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(AllZero(again, kBytes));
  plat_free_low(again);
}

TEST(LowMemory, ImpossibleSizesFailWithAReason) {
  EXPECT_EQ(plat_alloc_low(SIZE_MAX), nullptr);
  EXPECT_STRNE(plat_last_error(), "");
  if constexpr (sizeof(void*) == 8) {
    EXPECT_EQ(plat_alloc_low(static_cast<size_t>(kFourGiB)), nullptr);
  }
}

}  // namespace
