/*
 * The stamp plug-in's contract with its host: the thirteen functions the module exports, what
 * each gives back, and the facts of the plug-in a host draws around it or drives it by.
 *
 * Conventions:
 *  - Every argument and result is a 32-bit integer or pointer.
 *  - The host calls the exports on its user-interface thread, one at a time, and only after
 *    plg_info and plg_version named the tool and the interface it expects.
 *  - Between a plg_init that gave 1 and plg_destroy a session runs; an event export outside a
 *    session changes nothing and gives STAMP_RESULT_NOT_TAKEN.
 *  - No export lets a failure escape: a failure inside one gives its "nothing done" result
 *    (0 for plg_init and every event export).
 */
#ifndef STAMP_PLUGIN_H
#define STAMP_PLUGIN_H

#include <stdint.h>

#include "stamp/host_record.h"

#ifdef __cplusplus
extern "C" {
#endif

#ifdef _WIN32
#define PLG_API /* a Windows module names its exports in its module definition file */
#else
#define PLG_API __attribute__((visibility("default")))
#endif

/* What plg_info and plg_version give: the tool's display name, and the interface version as the
 * bit pattern of the single-precision number 1.0. */
#define STAMP_PLUGIN_NAME "Stamp"
#define STAMP_PLUGIN_VERSION 0x3F800000

/* Results of the event exports: what the host must show again. */
enum {
  STAMP_RESULT_NOT_TAKEN = 0,      /* nothing changed */
  STAMP_RESULT_LAYER_CHANGED = 1,  /* a layer (and the overlay) changed */
  STAMP_RESULT_PANEL_CHANGED = 2,  /* the panel must be drawn again (plg_update_submenu) */
  STAMP_RESULT_OVERLAY_CHANGED = 9 /* the overlay changed */
};

/* The stamp sheet: its top-left 120x90 pixels are a grid of 4 x 3 cells of 30x30, numbered
 * row by row from 0. */
enum {
  STAMP_CELL_SIZE = 30,
  STAMP_SHEET_COLUMNS = 4,
  STAMP_SHEET_ROWS = 3,
  STAMP_SHEET_WIDTH = STAMP_SHEET_COLUMNS * STAMP_CELL_SIZE,
  STAMP_SHEET_HEIGHT = STAMP_SHEET_ROWS * STAMP_CELL_SIZE
};

/* The reduction: the cell's side after it, as the profile's reduction key keeps it. A side from
 * STAMP_SMALLEST_REDUCED_SIDE to STAMP_LARGEST_REDUCED_SIDE shrinks the cell to that side, any
 * other value leaves it whole; the panel's plus and minus buttons step the side within
 * STAMP_LOWEST_BUTTON_REDUCTION to STAMP_HIGHEST_BUTTON_REDUCTION (the whole cell at the top). */
enum {
  STAMP_SMALLEST_REDUCED_SIDE = 5,
  STAMP_LARGEST_REDUCED_SIDE = STAMP_CELL_SIZE - 1,
  STAMP_LOWEST_BUTTON_REDUCTION = 10,
  STAMP_HIGHEST_BUTTON_REDUCTION = STAMP_CELL_SIZE
};

/* Where a host keeps the plug-in: the module and its panel image file stand in this folder of the
 * host's directory, and the sample stamp sheets in the sheet folder. */
#define STAMP_PLUGIN_FOLDER "plugin"
#define STAMP_MODULE_FILE "kvo_stamp.plg"
#define STAMP_PANEL_IMAGE_FILE "kvo_stamp.dat"
#define STAMP_SHEET_FOLDER "stamp"

/* The settings the plug-in reads from the host's profile at plg_init and writes at plg_destroy:
 * its section, one key per setting, and the value each setting takes when its key is absent
 * (the stamp file's default is the empty path). */
#define STAMP_PROFILE_SECTION "plugin_kvo_stamp"
#define STAMP_PROFILE_SELECTION_KEY "select" /* the cell, 0..11 row by row */
#define STAMP_PROFILE_ANGLE_KEY "degree"     /* whole degrees, counter-clockwise */
#define STAMP_PROFILE_REDUCTION_KEY "shrink" /* the cell's side after reduction */
#define STAMP_PROFILE_FILE_KEY "file"        /* the stamp sheet's path */
enum {
  STAMP_DEFAULT_SELECTION = 0,
  STAMP_DEFAULT_ANGLE = 0,
  STAMP_DEFAULT_REDUCTION = STAMP_CELL_SIZE /* the whole cell: no reduction */
};

/* The file button's picture, which the host draws into its own panel raster (raster
 * coordinates) before plg_init; the plug-in copies it onto its panel. */
enum {
  STAMP_FILE_BUTTON_X = 0,
  STAMP_FILE_BUTTON_Y = 220,
  STAMP_FILE_BUTTON_WIDTH = 50,
  STAMP_FILE_BUTTON_HEIGHT = 20
};

/* A pen press and release at this point of the panel (panel coordinates) opens the load dialog:
 * it lies on the file button, below the cell grid that overlaps the button's top. */
enum { STAMP_FILE_BUTTON_PRESS_X = 200, STAMP_FILE_BUTTON_PRESS_Y = 105 };

/* The load dialog, run modally through the platform's dialog runner: its template id and the ids
 * of its controls. OK and Cancel are the platform's PLAT_IDOK and PLAT_IDCANCEL. */
enum {
  STAMP_LOAD_DIALOG_ID = 4308,
  STAMP_LOAD_DIALOG_PATH_BOX = 1000,    /* edit box: the chosen path */
  STAMP_LOAD_DIALOG_FILE_BUTTON = 1001, /* opens the general file picker */
  STAMP_LOAD_DIALOG_LIST = 1002         /* list box: the BMP files of the stamp folder */
};

/* ---- The exports ----------------------------------------------------------------------------- */

/* Starts a session on the host's record (see host_record.h), which the plug-in keeps, without
 * copying or freeing it, until plg_destroy. Gives 1, or 0 when the session could not start (its
 * message box was shown and nothing made for the attempt is left). A running session is ended
 * first. A null record gives 0. */
typedef int32_t PlgInit(void* record);
/* Ends the running session and writes the settings to the host's profile. Gives 0; does nothing
 * when no session runs. */
typedef int32_t PlgDestroy(void);
/* The tool's display name, STAMP_PLUGIN_NAME (static storage). */
typedef const char* PlgInfo(void);
/* The interface version, STAMP_PLUGIN_VERSION. */
typedef int32_t PlgVersion(void);
/* Draws the tool panel into the host's panel raster and panel context. Gives 0. */
typedef int32_t PlgUpdateSubmenu(void);
/* Pen down, move and up on the panel, in panel coordinates (see STAMP_PANEL_TOP_ROW).
 * STAMP_RESULT_PANEL_CHANGED when a control acted, else STAMP_RESULT_NOT_TAKEN. */
typedef int32_t PlgSubmenuDown(int32_t x, int32_t y);
typedef int32_t PlgSubmenuMove(int32_t x, int32_t y);
typedef int32_t PlgSubmenuUp(int32_t x, int32_t y);
/* Pen down on the canvas, in view coordinates: starts a stroke and shows the stamp in the
 * overlay (STAMP_RESULT_OVERLAY_CHANGED). */
typedef int32_t PlgMouseDown(int32_t x, int32_t y);
/* Pen move on the canvas, in canvas coordinates; the first two values are not used. */
typedef int32_t PlgMouseMove(int32_t unusedA, int32_t unusedB, int32_t x, int32_t y);
/* Pen up on the canvas, in canvas coordinates: stamps the active layer
 * (STAMP_RESULT_LAYER_CHANGED). */
typedef int32_t PlgMouseUp(int32_t x, int32_t y);
/* The two cell keys: the previous and the next cell (STAMP_RESULT_PANEL_CHANGED). */
typedef int32_t PlgKeyA(void);
typedef int32_t PlgKeyB(void);

/* Every export, once, in the order above: X(TYPE, NAME, MEMBER) gives its function type, the name
 * the module exports it under, and the name a host's table of the exports gives its slot. The
 * declarations below, the module's symbol map and module definition file, the reference host's
 * lookup and logging and the symbol checks are all made from this list. */
#define STAMP_PLUGIN_EXPORTS(X)                           \
  X(PlgInit, plg_init, init)                              \
  X(PlgDestroy, plg_destroy, destroy)                     \
  X(PlgInfo, plg_info, info)                              \
  X(PlgVersion, plg_version, version)                     \
  X(PlgUpdateSubmenu, plg_update_submenu, updateSubmenu)  \
  X(PlgSubmenuDown, plg_submenu_down, submenuDown)        \
  X(PlgSubmenuMove, plg_submenu_move, submenuMove)        \
  X(PlgSubmenuUp, plg_submenu_up, submenuUp)              \
  X(PlgMouseDown, plg_mouse_down, mouseDown)              \
  X(PlgMouseMove, plg_mouse_move, mouseMove)              \
  X(PlgMouseUp, plg_mouse_up, mouseUp)                    \
  X(PlgKeyA, plg_key_a, keyA)                             \
  X(PlgKeyB, plg_key_b, keyB)

#define STAMP_PLUGIN_DECLARE_EXPORT(type, name, member) PLG_API type name;
STAMP_PLUGIN_EXPORTS(STAMP_PLUGIN_DECLARE_EXPORT)
#undef STAMP_PLUGIN_DECLARE_EXPORT

#ifdef __cplusplus
}
#endif

#endif
