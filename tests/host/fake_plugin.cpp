// A module with the plug-in's thirteen exports that fails one check of the host, chosen when it
// is built: FAKE_PLUGIN_wrong_name, FAKE_PLUGIN_wrong_version or FAKE_PLUGIN_missing_export.
#include <cstdint>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

FAKE_EXPORT int32_t plg_init(void*) { return 1; }
FAKE_EXPORT int32_t plg_destroy() { return 0; }
#ifdef FAKE_PLUGIN_wrong_name
FAKE_EXPORT const char* plg_info() { return "Brush"; }
#else
FAKE_EXPORT const char* plg_info() { return "Stamp"; }
#endif
#ifdef FAKE_PLUGIN_wrong_version
FAKE_EXPORT int32_t plg_version() { return 0x40000000; }  // 2.0
#else
FAKE_EXPORT int32_t plg_version() { return 0x3F800000; }  // 1.0
#endif
FAKE_EXPORT int32_t plg_update_submenu() { return 0; }
FAKE_EXPORT int32_t plg_submenu_down(int32_t, int32_t) { return 0; }
FAKE_EXPORT int32_t plg_submenu_move(int32_t, int32_t) { return 0; }
FAKE_EXPORT int32_t plg_submenu_up(int32_t, int32_t) { return 0; }
FAKE_EXPORT int32_t plg_mouse_down(int32_t, int32_t) { return 0; }
FAKE_EXPORT int32_t plg_mouse_move(int32_t, int32_t, int32_t, int32_t) { return 0; }
FAKE_EXPORT int32_t plg_mouse_up(int32_t, int32_t) { return 0; }
FAKE_EXPORT int32_t plg_key_a() { return 0; }
#ifndef FAKE_PLUGIN_missing_export
FAKE_EXPORT int32_t plg_key_b() { return 0; }
#endif
