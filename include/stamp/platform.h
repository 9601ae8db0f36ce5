/*
 * The platform contract: the system services the stamp plug-in and any host use, as every back
 * end keeps them. Two back ends implement it: the POSIX one (libstamp_platform.so, one shared
 * library, so that objects the host makes are the ones the plug-in uses) and the Win32 one
 * (linked into each module, over the system's own objects, which are process-wide). What a host
 * registers with the POSIX back end is in stamp/platform_host.h.
 *
 * Where the back ends still differ, the comment of the call says so: the font's pixels (a
 * built-in bitmap font on POSIX, a TrueType face on Windows), the screen's depth, the full-screen
 * control, and who answers message boxes and dialogs (the host's UI back end on POSIX, the user
 * of the system's windows on Windows).
 *
 * Conventions:
 *  - Objects are named by 32-bit handles (PlatHandle); 0 names no object and is the failure value.
 *  - Strings are UTF-16 (char16_t), zero-terminated. Paths use backslashes; the platform maps
 *    them to '/' where it meets the file system and hands paths back with backslashes.
 *  - Nothing here aborts: a failure is a 0 / NULL result, with a reason from plat_last_error().
 *  - Single-threaded, like the host's user-interface thread that calls it.
 *  - Every call that draws (plat_bit_blt, plat_draw_text) has its pixels in the bitmap's memory
 *    when it returns, so DIB-section memory may be read or written right after it. (Windows may
 *    batch drawing calls; the Win32 back end flushes them before returning.)
 */
#ifndef STAMP_PLATFORM_H
#define STAMP_PLATFORM_H

#include <stddef.h>
#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

#ifdef _WIN32
#define PLAT_API /* linked statically into each module */
#else
#define PLAT_API __attribute__((visibility("default")))
#endif

typedef uint32_t PlatHandle;

/* Text of the last failure of any call below (static storage, overwritten by the next failure). */
PLAT_API const char* plat_last_error(void);

/* ---- Memory below 4 GiB ------------------------------------------------------------------------
 * Zero-filled blocks whose every byte lies below 4 GiB, so a 32-bit record field can point at
 * them. NULL (with plat_last_error) when the kernel cannot give such memory. */
PLAT_API void* plat_alloc_low(size_t bytes);
PLAT_API void plat_free_low(void* block);

/* ---- Drawing contexts and bitmaps ----------------------------------------------------------- */
enum {
  PLAT_SRCCOPY = 0x00CC0020u,
  PLAT_DIB_RGB_COLORS = 0,
  PLAT_BI_RGB = 0,
  PLAT_BI_RLE8 = 1,
  PLAT_BI_RLE4 = 2,
  PLAT_BI_BITFIELDS = 3,
  PLAT_BI_ALPHABITFIELDS = 6, /* bit fields with an alpha mask after the colour masks */
  PLAT_SCREEN_BITS_PER_PIXEL = 24
};

/* The 40-byte BITMAPINFOHEADER; a colour table of 4-byte entries (blue, green, red, 0) follows it
 * in memory when biBitCount is 8 or less. A negative biHeight means rows are stored top-down. */
typedef struct PlatBitmapInfoHeader {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
} PlatBitmapInfoHeader;

/* What plat_get_bitmap_desc reports; widthBytes is the stored row length in bytes. */
typedef struct PlatBitmapDesc {
  int32_t width;
  int32_t height;
  int32_t widthBytes;
  uint16_t planes;
  uint16_t bitsPixel;
} PlatBitmapDesc;

/* A memory context compatible with dc (0: the screen, PLAT_SCREEN_BITS_PER_PIXEL). A new context
 * holds a 1x1 monochrome stock bitmap until another is selected. */
PLAT_API PlatHandle plat_create_compatible_dc(PlatHandle dc);
/* Fails while the context still holds a bitmap other than its stock one: select the previous
 * bitmap back first. */
PLAT_API int32_t plat_delete_dc(PlatHandle dc);
/* Selects a bitmap or font into dc; gives back the object of that kind selected before. */
PLAT_API PlatHandle plat_select_object(PlatHandle dc, PlatHandle object);
/* Deletes a bitmap or font; fails while it is selected into a context. */
PLAT_API int32_t plat_delete_object(PlatHandle object);
/* A bitmap with the format of the bitmap selected into dc (dc 0: the screen's, which is
 * PLAT_SCREEN_BITS_PER_PIXEL on POSIX and the display's own depth on Windows). Sides must be
 * positive; sizes the back end cannot hold fail. */
PLAT_API PlatHandle plat_create_compatible_bitmap(PlatHandle dc, int32_t width, int32_t height);
/* A device-independent bitmap described by bitmapInfo (header + colour table); its zero-filled
 * pixel memory (rows padded to 4 bytes, as Windows lays them) is handed back in *bits. */
PLAT_API PlatHandle plat_create_dib_section(PlatHandle dc, const void* bitmapInfo, uint32_t usage,
                                            void** bits);
PLAT_API int32_t plat_get_bitmap_desc(PlatHandle bitmap, PlatBitmapDesc* desc);
/* Copies a rectangle between the bitmaps selected into two contexts, converting into the
 * destination's format. Only PLAT_SRCCOPY is known. Clipped to both bitmaps: destination pixels
 * whose source lies outside the source bitmap keep their value. */
PLAT_API int32_t plat_bit_blt(PlatHandle dst, int32_t x, int32_t y, int32_t width, int32_t height,
                              PlatHandle src, int32_t srcX, int32_t srcY, uint32_t rop);
/* Loads a BMP file (path in backslash form) into a new 24-bit bitmap with the platform's own
 * decoder, so every back end gives the same pixels and the same refusals; 0 when it is missing,
 * unreadable or refused by the decoder. */
PLAT_API PlatHandle plat_load_bitmap_file(const char16_t* path);

/* ---- Text ------------------------------------------------------------------------------------ */
enum { PLAT_TRANSPARENT = 1, PLAT_OPAQUE = 2 };

typedef struct PlatRect {
  int32_t left;
  int32_t top;
  int32_t right;  /* exclusive */
  int32_t bottom; /* exclusive */
} PlatRect;

/* Colours are 0x00BBGGRR. Each setter gives back the previous value. */
PLAT_API uint32_t plat_set_text_color(PlatHandle dc, uint32_t color);
PLAT_API uint32_t plat_set_bk_color(PlatHandle dc, uint32_t color);
PLAT_API int32_t plat_set_bk_mode(PlatHandle dc, int32_t mode);
/* A font at a cell height in pixels (8 to 32); select it into a context. Its pixels are the one
 * thing the back ends do not share: POSIX draws a built-in bitmap font, Windows a TrueType face
 * (Tahoma) drawn without smoothing, so widths and glyphs differ. */
PLAT_API PlatHandle plat_create_font(int32_t pixelHeight);
/* Draws length characters (-1: up to the terminator) left-aligned on the rectangle's top line,
 * clipped to it, into the bitmap selected into dc. '&' is a plain character and line breaks are
 * not interpreted. Format flags are ignored.
 * Gives the height of the drawn text, 0 on failure. */
PLAT_API int32_t plat_draw_text(PlatHandle dc, const char16_t* text, int32_t length,
                                const PlatRect* rect, uint32_t format);

typedef struct PlatSize {
  int32_t cx;
  int32_t cy;
} PlatSize;

/* The box that length characters (-1: up to the terminator) cover when drawn through dc with its
 * selected font: cx from the first character's left edge to the last glyph's right edge (0 for
 * no text), cy the font's cell height. 1 on success. Like the pixels, the widths are the font's:
 * the built-in font leaves out the gap after the last character, a TrueType face's extent is its
 * advance and may hold some of that gap. */
PLAT_API int32_t plat_get_text_extent(PlatHandle dc, const char16_t* text, int32_t length,
                                      PlatSize* size);

/* ---- The application object: profile and message box ------------------------------------- */
typedef struct PlatApp PlatApp;

/* An application object whose profile is the INI file at profilePath (UTF-8, need not exist).
 * It lies below 4 GiB so that a record can point at it. */
PLAT_API PlatApp* plat_app_create(const char* profilePath);
PLAT_API void plat_app_destroy(PlatApp* app);
/* Reads a key as an integer: the default when the key is absent. */
PLAT_API int32_t plat_profile_get_int(PlatApp* app, const char16_t* section, const char16_t* key,
                                      int32_t defaultValue);
/* Reads a key as a string into buffer (capacity units, terminator included); gives the full
 * length of the value, which may exceed what fitted. */
PLAT_API int32_t plat_profile_get_string(PlatApp* app, const char16_t* section, const char16_t* key,
                                         const char16_t* defaultValue, char16_t* buffer,
                                         int32_t capacity);
/* Writes a key and saves the file at once: re-read under a lock other writers share, one entry
 * changed, replaced atomically, the folder made when missing; the file is UTF-8 on every back
 * end. On POSIX a profile path that is a link updates the file it names. 1 on success. */
PLAT_API int32_t plat_profile_write_int(PlatApp* app, const char16_t* section, const char16_t* key,
                                        int32_t value);
PLAT_API int32_t plat_profile_write_string(PlatApp* app, const char16_t* section,
                                           const char16_t* key, const char16_t* value);
/* Why the first profile write that failed did not land, as one line naming the file and the
 * reason; NULL while every write has landed. Valid until the object is destroyed. */
PLAT_API const char* plat_app_profile_failure(PlatApp* app);
/* The modal message box with an OK button: on POSIX shown by the host's UI back end (standard
 * error without one), on Windows the system's. PLAT_IDOK once the user closed it. */
PLAT_API int32_t plat_message_box(const char16_t* text);

/* ---- Windows, screen and shell ---------------------------------------------------------------- */
enum {
  PLAT_HWND_TOP = 0,
  PLAT_SWP_NOSIZE = 0x01,
  PLAT_SWP_NOMOVE = 0x02,
  PLAT_SWP_FRAMECHANGED = 0x20,
  PLAT_SWP_SHOWWINDOW = 0x40,
  PLAT_SM_CXSCREEN = 0,
  PLAT_SM_CYSCREEN = 1,
  PLAT_SHFS_SHOWTASKBAR = 1,
  PLAT_SHFS_HIDETASKBAR = 2,
  PLAT_SHFS_SHOWSIPBUTTON = 4,
  PLAT_SHFS_HIDESIPBUTTON = 8
};

PLAT_API PlatHandle plat_create_window(void);
PLAT_API int32_t plat_destroy_window(PlatHandle window);
PLAT_API int32_t plat_set_window_pos(PlatHandle window, PlatHandle insertAfter, int32_t x, int32_t y,
                                     int32_t width, int32_t height, uint32_t flags);
/* Where the window was last placed (right and bottom exclusive); 1 on success. */
PLAT_API int32_t plat_get_window_rect(PlatHandle window, PlatRect* rect);
/* 1 once a placement has shown the window (PLAT_SWP_SHOWWINDOW), else 0. */
PLAT_API int32_t plat_is_window_visible(PlatHandle window);
/* The screen's metrics: the system's on Windows, the host's UI back end's on POSIX (0 without). */
PLAT_API int32_t plat_get_system_metrics(int32_t index);
/* The handheld shell's full-screen control (PLAT_SHFS_*). POSIX hands the request to the host's
 * UI back end and gives 1 for a window; desktop Windows has no such control and gives 0. */
PLAT_API int32_t plat_sh_full_screen(PlatHandle window, uint32_t flags);

/* ---- Files and libraries ---------------------------------------------------------------------- */
enum { PLAT_MAX_PATH = 260 };

/* The running program's path in backslash form (the host's, not a module's); gives its length,
 * 0 on failure. The path is cut to capacity - 1 units. */
PLAT_API int32_t plat_get_module_file_name(char16_t* buffer, int32_t capacity);

typedef struct PlatFindData {
  char16_t fileName[PLAT_MAX_PATH];
} PlatFindData;

/* Entries of a folder matching "folder\pattern" ('*' and '?', letters matched without regard to
 * case), in the order the file system gives. 0 when nothing matches. */
PLAT_API PlatHandle plat_find_first_file(const char16_t* pattern, PlatFindData* data);
PLAT_API int32_t plat_find_next_file(PlatHandle find, PlatFindData* data);
PLAT_API int32_t plat_find_close(PlatHandle find);

/* Loads a shared library by file name, looked up beside the running program first. Handles are
 * the platform's own; a freed handle names nothing. */
PLAT_API PlatHandle plat_load_library(const char16_t* name);
PLAT_API void* plat_get_proc_address(PlatHandle library, const char* name);
PLAT_API int32_t plat_free_library(PlatHandle library);

/* The open/save-file request. Window and instance fields are 32-bit handles; on a 32-bit target
 * the record is 76 bytes. */
typedef struct PlatOpenFileName {
  uint32_t lStructSize;
  PlatHandle hwndOwner;
  PlatHandle hInstance;
  const char16_t* lpstrFilter;
  char16_t* lpstrCustomFilter;
  uint32_t nMaxCustFilter;
  uint32_t nFilterIndex;
  char16_t* lpstrFile;
  uint32_t nMaxFile;
  char16_t* lpstrFileTitle;
  uint32_t nMaxFileTitle;
  const char16_t* lpstrInitialDir;
  const char16_t* lpstrTitle;
  uint32_t Flags;
  uint16_t nFileOffset;
  uint16_t nFileExtension;
  const char16_t* lpstrDefExt;
  intptr_t lCustData;
  void* lpfnHook;
  const char16_t* lpTemplateName;
} PlatOpenFileName;

/* The open and save dialogs (the system's on Windows, the host's UI back end's on POSIX, which
 * cancels without one); nonzero when a file was chosen, its path then in request->lpstrFile. */
PLAT_API int32_t plat_get_open_file_name(PlatOpenFileName* request);
PLAT_API int32_t plat_get_save_file_name(PlatOpenFileName* request);

/* ---- Modal dialogs ---------------------------------------------------------------------------- */
enum {
  PLAT_IDOK = 1,
  PLAT_IDCANCEL = 2,
  PLAT_BN_CLICKED = 0,
  PLAT_LBN_SELCHANGE = 1,
  PLAT_LB_ADDSTRING = 0x0180,
  PLAT_LB_GETCURSEL = 0x0188,
  PLAT_LB_SETCURSEL = 0x0186,
  PLAT_LB_GETCOUNT = 0x018B,
  PLAT_LB_ERR = -1
};

typedef enum PlatControlKind {
  PLAT_CONTROL_PUSH_BUTTON,
  PLAT_CONTROL_DEFAULT_PUSH_BUTTON,
  PLAT_CONTROL_EDIT,
  PLAT_CONTROL_LIST_BOX
} PlatControlKind;

/* Window and control styles carried by a template (the values of the Windows constants). */
enum {
  PLAT_WS_POPUP = 0x80000000u,
  PLAT_WS_CHILD = 0x40000000u,
  PLAT_WS_VISIBLE = 0x10000000u,
  PLAT_WS_CAPTION = 0x00C00000u,
  PLAT_WS_BORDER = 0x00800000u,
  PLAT_WS_VSCROLL = 0x00200000u,
  PLAT_WS_SYSMENU = 0x00080000u,
  PLAT_WS_TABSTOP = 0x00010000u,
  PLAT_DS_MODALFRAME = 0x0080u,
  PLAT_DS_SETFONT = 0x0040u,
  PLAT_BS_DEFPUSHBUTTON = 0x0001u,
  PLAT_ES_AUTOHSCROLL = 0x0080u,
  PLAT_LBS_NOTIFY = 0x0001u,
  PLAT_LBS_NOINTEGRALHEIGHT = 0x0100u
};

typedef struct PlatDialogControl {
  int32_t id;
  PlatControlKind kind;
  const char16_t* text;
  int16_t x, y, width, height; /* dialog units */
  uint32_t style;
} PlatDialogControl;

typedef struct PlatDialogTemplate {
  int32_t resourceId;
  const char16_t* caption;
  const char16_t* fontName;
  int16_t fontPoints;
  int16_t x, y, width, height; /* dialog units */
  uint32_t style;
  int32_t controlCount;
  const PlatDialogControl* controls;
} PlatDialogTemplate;

/* One modal run of a dialog; it owns the controls' contents (texts, list entries, selection). */
typedef struct PlatDialog PlatDialog;

/* The dialog's own code. init runs once before the user sees the dialog (its result is that of
 * the dialog initialisation); command receives every WM_COMMAND (control id and notification),
 * OK and Cancel included: the handler ends the dialog with plat_dialog_end. */
typedef struct PlatDialogHandlers {
  void* self;
  int32_t (*init)(void* self, PlatDialog* dialog);
  void (*command)(void* self, PlatDialog* dialog, int32_t controlId, int32_t notification);
} PlatDialogHandlers;

/* Runs the dialog modally: PLAT_IDOK, PLAT_IDCANCEL, or -1 when it could not run. On Windows the
 * template is the dialog resource resourceId of the module the platform is linked into, shown as
 * a real window; on POSIX the host's UI back end acts for the user (-1 without one). */
PLAT_API int32_t plat_dialog_run_modal(const PlatDialogTemplate* dialogTemplate,
                                       const PlatDialogHandlers* handlers);

/* Calls for the dialog's code. */
PLAT_API int32_t plat_dialog_get_item_text(PlatDialog* dialog, int32_t controlId,
                                           char16_t* buffer, int32_t capacity);
PLAT_API int32_t plat_dialog_set_item_text(PlatDialog* dialog, int32_t controlId,
                                           const char16_t* text);
/* The list-box messages above; LB_ADDSTRING takes the text in lParam and gives the new index. */
PLAT_API intptr_t plat_dialog_send_item_message(PlatDialog* dialog, int32_t controlId,
                                                uint32_t message, uintptr_t wParam,
                                                intptr_t lParam);
PLAT_API int32_t plat_dialog_set_window_pos(PlatDialog* dialog, PlatHandle insertAfter, int32_t x,
                                            int32_t y, int32_t width, int32_t height,
                                            uint32_t flags);
PLAT_API void plat_dialog_end(PlatDialog* dialog, int32_t result);

#ifdef __cplusplus
}
#endif

#endif
