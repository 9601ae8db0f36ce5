// A module with the plug-in's thirteen exports that fails one check of the host, chosen when it
// is built: FAKE_PLUGIN_wrong_name, FAKE_PLUGIN_wrong_version or FAKE_PLUGIN_missing_export.
#include "stamp/plugin.h"

extern "C" {

int32_t plg_init(void*) { return 1; }
int32_t plg_destroy() { return 0; }
#ifdef FAKE_PLUGIN_wrong_name
const char* plg_info() { return "Brush"; }
#else
const char* plg_info() { return STAMP_PLUGIN_NAME; }
#endif
#ifdef FAKE_PLUGIN_wrong_version
int32_t plg_version() { return 0x40000000; }  // 2.0
#else
int32_t plg_version() { return STAMP_PLUGIN_VERSION; }
#endif
int32_t plg_update_submenu() { return 0; }
int32_t plg_submenu_down(int32_t, int32_t) { return 0; }
int32_t plg_submenu_move(int32_t, int32_t) { return 0; }
int32_t plg_submenu_up(int32_t, int32_t) { return 0; }
int32_t plg_mouse_down(int32_t, int32_t) { return 0; }
int32_t plg_mouse_move(int32_t, int32_t, int32_t, int32_t) { return 0; }
int32_t plg_mouse_up(int32_t, int32_t) { return 0; }
int32_t plg_key_a() { return 0; }
#ifndef FAKE_PLUGIN_missing_export
int32_t plg_key_b() { return 0; }
#endif

}  // extern "C"
