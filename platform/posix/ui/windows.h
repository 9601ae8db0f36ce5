// A window as the platform knows it: a handle-table object that records where it was last
// placed and whether it was shown. The UI back end hears of every placement and shows it.
#pragma once

#include <cstdint>

#include "platform/posix/system/handle_table.h"

namespace stamp::platform {

class Window final : public Object {
 public:
  static constexpr ObjectKind kKind = ObjectKind::Window;
  ObjectKind kind() const override { return kKind; }

  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool shown = false;
};

}  // namespace stamp::platform
