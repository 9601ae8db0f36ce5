// Memory for the record's buffers: every address of a 32-bit process fits a record field.
#include <cstdlib>

#include "platform/portable/last_error.h"
#include "stamp/platform.h"

void* plat_alloc_low(size_t bytes) {
  void* block = std::calloc(bytes != 0 ? bytes : 1, 1);
  return block != nullptr ? block : stamp::platform::Fail("out of memory", nullptr);
}

void plat_free_low(void* block) { std::free(block); }
