/*
 * The smallest host: it draws a sample sheet into a panel raster through the platform layer and
 * loads the plug-in the way every host does, checking its name and interface version. Argument:
 * the host's folder (an installed lib/stamp-host). Exit status 0 when both worked.
 */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

#include "stamp/host_record.h"
#include "stamp/platform.h"
#include "stamp/platform_host.h"
#include "stamp/plugin.h"

enum { SHEET_WIDTH = 120, SHEET_HEIGHT = 90, PATH_CAPACITY = 1024 };
static const int32_t kInterfaceVersion = 0x3F800000; /* the single-precision number 1.0 */

/* folder + "/" + name as UTF-16 in backslash form (the folder is taken to be ASCII). */
static int WidePath(const char* folder, const char* name, char16_t* out) {
  char path[PATH_CAPACITY];
  if (snprintf(path, sizeof path, "%s/%s", folder, name) >= (int)sizeof path) return 0;
  for (size_t i = 0; i <= strlen(path); ++i) out[i] = path[i] == '/' ? u'\\' : (char16_t)path[i];
  return 1;
}

/* Copies the sample sheet nature.bmp into the top of a panel raster in low memory; the count of
 * bytes it changed, or -1. */
static long DrawSheet(const char* folder) {
  const size_t bytes = (size_t)STAMP_PANEL_WIDTH * STAMP_PANEL_HEIGHT * 3;
  unsigned char* panel = plat_alloc_low(bytes);
  char16_t path[PATH_CAPACITY];
  if (panel == NULL || !WidePath(folder, STAMP_SHEET_FOLDER "/nature.bmp", path)) return -1;
  memset(panel, 0xFF, bytes);
  const PlatHandle panelDC = plat_create_compatible_dc(0);
  const PlatHandle panelBitmap =
      plat_create_bitmap_over_raster(STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT, panel);
  const PlatHandle sheetDC = plat_create_compatible_dc(0);
  const PlatHandle sheet = plat_load_bitmap_file(path);
  long changed = -1;
  if (panelDC && panelBitmap && sheetDC && sheet) {
    const PlatHandle oldPanel = plat_select_object(panelDC, panelBitmap);
    const PlatHandle oldSheet = plat_select_object(sheetDC, sheet);
    if (plat_bit_blt(panelDC, 0, 0, SHEET_WIDTH, SHEET_HEIGHT, sheetDC, 0, 0, PLAT_SRCCOPY)) {
      changed = 0;
      for (size_t i = 0; i < bytes; ++i) changed += panel[i] != 0xFF;
    }
    plat_select_object(panelDC, oldPanel);
    plat_select_object(sheetDC, oldSheet);
  }
  /* Only what was made is released, so plat_last_error still tells what failed. */
  if (sheet) plat_delete_object(sheet);
  if (panelBitmap) plat_delete_object(panelBitmap);
  if (sheetDC) plat_delete_dc(sheetDC);
  if (panelDC) plat_delete_dc(panelDC);
  plat_free_low(panel);
  return changed;
}

/* Loads the plug-in folder's module and checks plg_info and plg_version; 1 when both hold. */
static int CheckPlugin(const char* folder) {
  char path[PATH_CAPACITY];
  snprintf(path, sizeof path, "%s/" STAMP_PLUGIN_FOLDER "/" STAMP_MODULE_FILE, folder);
  void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (module == NULL) {
    fprintf(stderr, "tiny_host: %s\n", dlerror());
    return 0;
  }
  /* dlsym gives an object pointer; this form of the cast is the one POSIX documents. */
  const char* (*info)(void);
  int32_t (*version)(void);
  *(void**)&info = dlsym(module, "plg_info");
  *(void**)&version = dlsym(module, "plg_version");
  const int good = info && version && strcmp(info(), "Stamp") == 0 && version() == kInterfaceVersion;
  if (good) printf("plug-in: %s, interface version 0x%X\n", info(), (unsigned)version());
  dlclose(module);
  return good;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: tiny_host HOST_FOLDER\n");
    return 2;
  }
  const long changed = DrawSheet(argv[1]);
  if (changed <= 0) {
    fprintf(stderr, "tiny_host: the sheet was not drawn: %s\n", plat_last_error());
    return 1;
  }
  printf("sheet: %ld panel bytes drawn\n", changed);
  return CheckPlugin(argv[1]) ? 0 : 1;
}
