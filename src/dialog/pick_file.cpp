#include "src/dialog/pick_file.h"

namespace stamp {
namespace {

int32_t PickWithLibrary(PlatHandle library, int32_t mode, PlatOpenFileName* request) {
  void* const address = plat_get_proc_address(library, kPickerExport);
  if (address == nullptr) return 0;
  return reinterpret_cast<PickerEntry>(address)(mode, request);
}

int32_t PickWithSystemDialog(int32_t mode, PlatOpenFileName* request) {
  switch (mode) {
    case kPickOpen: return plat_get_open_file_name(request);
    case kPickSave: return plat_get_save_file_name(request);
    default: return 0;
  }
}

}  // namespace

int32_t PickFile(int32_t mode, PlatOpenFileName* request) {
  const PlatHandle library = plat_load_library(kPickerLibrary);
  if (library == 0) return PickWithSystemDialog(mode, request);
  const int32_t result = PickWithLibrary(library, mode, request);
  plat_free_library(library);
  return result;
}

}  // namespace stamp
