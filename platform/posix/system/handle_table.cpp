#include "platform/posix/system/handle_table.h"

#include <unordered_map>

#include "platform/portable/last_error.h"
#include "platform/testing/platform_testing.h"

namespace stamp::platform {
namespace {

struct Table {
  std::unordered_map<PlatHandle, std::unique_ptr<Object>> objects;
  PlatHandle next = 0x100;  // small values stay free, so stray integers rarely name an object
};

Table& Objects() {
  static Table table;
  return table;
}

}  // namespace

PlatHandle AddObject(std::unique_ptr<Object> object) {
  Table& table = Objects();
  if (table.next == 0) return Fail("handle table exhausted", PlatHandle{0});
  const PlatHandle handle = table.next++;
  table.objects.emplace(handle, std::move(object));
  return handle;
}

Object* FindObject(PlatHandle handle) {
  auto& objects = Objects().objects;
  const auto found = objects.find(handle);
  return found == objects.end() ? nullptr : found->second.get();
}

bool RemoveObject(PlatHandle handle) { return Objects().objects.erase(handle) == 1; }

int32_t LiveObjectCount() { return static_cast<int32_t>(Objects().objects.size()); }

}  // namespace stamp::platform

int32_t plat_live_object_count(void) { return stamp::platform::LiveObjectCount(); }
