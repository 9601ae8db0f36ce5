/*
 * The host's side of the platform layer: what a host registers with the POSIX back end
 * (libstamp_platform.so) to show things to its user, the calls with which that UI back end acts
 * for the user in a dialog, the bitmap over a host's own raster, and the program path the plug-in
 * is shown. The Win32 back end shows
 * real windows and has none of these: a Windows host answers the system's own dialogs and makes
 * its canvas a 24-bit DIB section.
 */
#ifndef STAMP_PLATFORM_HOST_H
#define STAMP_PLATFORM_HOST_H

#include "stamp/platform.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A 24-bit bitmap over memory the caller owns and keeps alive: width x height pixels, B,G,R,
 * bottom-up, rows exactly width x 3 bytes (the host's raster layout). */
PLAT_API PlatHandle plat_create_bitmap_over_raster(int32_t width, int32_t height, void* pixels);

/* Makes plat_get_module_file_name report this path (UTF-8, '/' form) instead of the running
 * program's, and plat_load_library look beside it first; NULL undoes it. A host shows the
 * plug-in another stamp folder so (the window: the user's sheet folder), and tests theirs. */
PLAT_API void plat_set_program_path(const char* path);

/* Calls for a UI back end, acting for the user. Each notification reaches the handlers' command. */
PLAT_API const PlatDialogTemplate* plat_dialog_template(PlatDialog* dialog);
/* The window that stands for the dialog; 0 when none could be made. */
PLAT_API PlatHandle plat_dialog_window(PlatDialog* dialog);
PLAT_API int32_t plat_dialog_user_type(PlatDialog* dialog, int32_t controlId, const char16_t* text);
PLAT_API int32_t plat_dialog_user_select(PlatDialog* dialog, int32_t controlId, int32_t index);
PLAT_API int32_t plat_dialog_user_click(PlatDialog* dialog, int32_t controlId);
/* 1 once the dialog's code has ended the run, with its result in *result. */
PLAT_API int32_t plat_dialog_ended(PlatDialog* dialog, int32_t* result);
/* Entry k of a list box, for display; NULL past the end. */
PLAT_API const char16_t* plat_dialog_list_entry(PlatDialog* dialog, int32_t controlId, int32_t k);

/* ---- The UI back end ------------------------------------------------------------------------ */
/* What the host provides to show things to the user. Any member may be NULL: a message box then
 * goes to standard error, a dialog or file dialog is cancelled, metrics read 0. */
typedef struct PlatUiBackend {
  void* user;
  void (*message_box)(void* user, const char16_t* text);
  /* Drives the dialog (plat_dialog_user_*) until plat_dialog_ended reports the end. */
  void (*run_dialog)(void* user, PlatDialog* dialog);
  int32_t (*file_dialog)(void* user, int32_t save, PlatOpenFileName* request);
  void (*full_screen)(void* user, PlatHandle window, uint32_t flags);
  void (*window_pos)(void* user, PlatHandle window, PlatHandle insertAfter, int32_t x, int32_t y,
                     int32_t width, int32_t height, uint32_t flags);
  int32_t (*system_metric)(void* user, int32_t index);
} PlatUiBackend;

/* Installs the back end (copied); NULL removes it. */
PLAT_API void plat_ui_set_backend(const PlatUiBackend* backend);
/* Copies the installed back end into *backend (every member NULL when none is). */
PLAT_API void plat_ui_get_backend(PlatUiBackend* backend);

#ifdef __cplusplus
}
#endif

#endif
