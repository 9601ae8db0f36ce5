/*
 * The platform's test hooks: fault injection and live-object counts. Only the POSIX back end has
 * them; they are for the project's tests and fuzz targets and are not
 * installed.
 */
#ifndef STAMP_PLATFORM_TESTING_H
#define STAMP_PLATFORM_TESTING_H

#include "stamp/platform.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Test support ---------------------------------------------------------------------------- */
typedef enum PlatFault {
  PLAT_FAULT_BMP_LOAD,
  PLAT_FAULT_COMPATIBLE_BITMAP,
  PLAT_FAULT_DIB_SECTION,
  PLAT_FAULT_BITMAP_DESC,
  PLAT_FAULT_ALLOC_LOW,
  PLAT_FAULT_KIND_COUNT
} PlatFault;

/* Makes a later call of that kind fail: skip = 0 the next one, 1 the one after, and so on. */
PLAT_API void plat_fault_inject(PlatFault fault, int32_t skip);
PLAT_API void plat_fault_clear(void);
/* Live objects by kind, to find leaks: contexts, bitmaps and fonts, find handles, libraries. */
PLAT_API int32_t plat_live_object_count(void);

#ifdef __cplusplus
}
#endif

#endif
