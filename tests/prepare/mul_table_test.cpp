#include <gtest/gtest.h>

#include "src/prepare/mul_table.h"

namespace stamp {
namespace {

TEST(MulTable, EveryEntryIsTheFlooredProductOver256AndTheTableIsSymmetric) {
  for (uint32_t a = 0; a < 256; ++a) {
    for (uint32_t b = 0; b < 256; ++b) {
      ASSERT_EQ(MulTable(a, b), a * b / 256) << a << " x " << b;
      ASSERT_EQ(MulTable(a, b), MulTable(b, a)) << a << " x " << b;
    }
  }
}

}  // namespace
}  // namespace stamp
