// Stamp preparation on a TestHost's buffers from a PanelImage of seeded random pixels in a
// guarded buffer.
#pragma once

#include <cstdint>

#include "src/core/host_context.h"
#include "src/core/rotated_size.h"
#include "support/plane.h"
#include "support/test_host.h"

namespace stamp::test {

class Preparation {
 public:
  explicit Preparation(const TestHost& host, uint32_t panelSeed = 1);

  uint8_t* panel() const { return panel_.data(); }
  bool panelGuardsIntact() const { return panel_.guardsIntact(); }
  // Prepares the StampImage with these settings: the cell taken afresh, or with extract false
  // only the cache turned. Keeps the size it gives.
  void Rebuild(int32_t selection, int32_t reduction, int32_t angle, bool extract = true);
  RotatedSize size() const { return size_; }

 private:
  HostContext context_;
  GuardedBuffer panel_;
  RotatedSize size_;
};

// A gtest fixture with a preparation on the default TestHost; checks the PanelImage's guards too.
class PreparationTest : public HostTest {
 protected:
  void TearDown() override {
    EXPECT_TRUE(preparation.panelGuardsIntact()) << "a guard zone of the PanelImage changed";
    HostTest::TearDown();
  }
  Preparation preparation{host};
};

}  // namespace stamp::test
