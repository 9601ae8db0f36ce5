// A check that a test released every platform object it made.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/testing/platform_testing.h"
#include "stamp/platform.h"

namespace stamp::test {

// The platform objects alive when made; ExpectAllReleased fails the running test when the count
// differs, so a fixture calls it once it has released what it made.
class LiveObjects {
 public:
  LiveObjects() : atStart_(plat_live_object_count()) {}
  int32_t atStart() const { return atStart_; }
  void ExpectAllReleased() const {
    EXPECT_EQ(plat_live_object_count(), atStart_) << "a platform object leaked";
  }

 private:
  const int32_t atStart_;
};

}  // namespace stamp::test
