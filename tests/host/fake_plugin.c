/* A module with the plug-in's thirteen exports that fails one check of the host, chosen when it
 * is built: FAKE_PLUGIN_wrong_name, FAKE_PLUGIN_wrong_version or FAKE_PLUGIN_missing_export.
 * Written in C, as a plug-in or host writer may be, against the declarations of stamp/plugin.h. */
#include "stamp/plugin.h"

int32_t plg_init(void* record) { return 1; }
int32_t plg_destroy(void) { return 0; }
#ifdef FAKE_PLUGIN_wrong_name
const char* plg_info(void) { return "Brush"; }
#else
const char* plg_info(void) { return STAMP_PLUGIN_NAME; }
#endif
#ifdef FAKE_PLUGIN_wrong_version
int32_t plg_version(void) { return 0x40000000; } /* 2.0 */
#else
int32_t plg_version(void) { return STAMP_PLUGIN_VERSION; }
#endif
int32_t plg_update_submenu(void) { return 0; }
int32_t plg_submenu_down(int32_t x, int32_t y) { return 0; }
int32_t plg_submenu_move(int32_t x, int32_t y) { return 0; }
int32_t plg_submenu_up(int32_t x, int32_t y) { return 0; }
int32_t plg_mouse_down(int32_t x, int32_t y) { return 0; }
int32_t plg_mouse_move(int32_t unusedA, int32_t unusedB, int32_t x, int32_t y) { return 0; }
int32_t plg_mouse_up(int32_t x, int32_t y) { return 0; }
int32_t plg_key_a(void) { return 0; }
#ifndef FAKE_PLUGIN_missing_export
int32_t plg_key_b(void) { return 0; }
#endif
