// The platform's objects and the 32-bit handles that name them. Handles are small numbers, never
// reused while the process lives, so a stale handle finds nothing instead of a newer object.
#pragma once

#include <cstdint>
#include <memory>

#include "stamp/platform.h"

namespace stamp::platform {

enum class ObjectKind { Context, Bitmap, Font, Window, Find, Library };

class Object {
 public:
  virtual ~Object() = default;
  virtual ObjectKind kind() const = 0;
};

// Takes ownership; gives the new handle, or 0 when the table is full.
PlatHandle AddObject(std::unique_ptr<Object> object);
Object* FindObject(PlatHandle handle);
// Destroys the object; false for a handle that names nothing.
bool RemoveObject(PlatHandle handle);
int32_t LiveObjectCount();

// The object named by handle when it is of type T (T::kKind), else nullptr.
template <typename T>
T* Find(PlatHandle handle) {
  Object* object = FindObject(handle);
  return object != nullptr && object->kind() == T::kKind ? static_cast<T*>(object) : nullptr;
}

}  // namespace stamp::platform
