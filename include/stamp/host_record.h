/*
 * The host record a paint host hands to plg_init: byte offsets of every field the stamp plug-in
 * reads or writes. All fields are 32 bits wide and little-endian except hostDirectory, a UTF-16
 * string stored inline and zero-terminated. Pointer and handle fields hold 32-bit values: on
 * x86-64 every buffer and object they name must lie below 4 GiB (see plat_alloc_low).
 * Bytes not listed belong to the host; the plug-in neither reads nor writes them.
 */
#ifndef STAMP_HOST_RECORD_H
#define STAMP_HOST_RECORD_H

enum StampRecordOffset {
  STAMP_REC_MAIN_WINDOW = 0,       /* window handle: full-screen control around the load dialog */
  STAMP_REC_FRAME_WINDOW = 4,      /* pointer to the frame window object */
  STAMP_REC_PROFILE_APP = 8,       /* pointer to the application object (PlatApp) */
  STAMP_REC_HOST_DIRECTORY = 16,   /* UTF-16, ends in a backslash; capacity below */
  STAMP_REC_LAYER_TOUCHED = 544,   /* three ints, layers 0, 1, 2 */
  STAMP_REC_UPDATE_RECT = 556,     /* four ints: 0, 0, canvasHeight, canvasWidth */
  STAMP_REC_HOST_FLAG_A = 660,
  STAMP_REC_HOST_FLAG_B = 672,
  STAMP_REC_ACTIVE_LAYER = 704,
  STAMP_REC_UNDO_LAYER = 724,
  STAMP_REC_VIEW_Y = 728,
  STAMP_REC_VIEW_X = 732,
  STAMP_REC_ZOOM_SHIFT = 740,      /* low 8 bits: left-shift count of pen-down coordinates */
  STAMP_REC_CANVAS_WIDTH = 812,
  STAMP_REC_CANVAS_HEIGHT = 816,
  STAMP_REC_CANVAS_COPY_BYTES = 820,
  STAMP_REC_PANEL_BYTES = 828,
  STAMP_REC_CANVAS_BYTES = 832,
  STAMP_REC_PANEL_BUFFER = 836,    /* 240 x 1050 raster */
  STAMP_REC_OVERLAY_BUFFER = 840,
  STAMP_REC_UNDO_BUFFER = 844,
  STAMP_REC_LAYER0_BUFFER = 848,
  STAMP_REC_LAYER2_BUFFER = 852,   /* layers stand in the order 0, 2, 1 */
  STAMP_REC_LAYER1_BUFFER = 856,
  STAMP_REC_OVERLAY_SAVE = 860,
  STAMP_REC_SCRATCH_BUFFER = 864,
  STAMP_REC_STAMP_BUFFER = 868,
  STAMP_REC_PANEL_DC = 892,        /* drawing-context handle for the panel's text */
  STAMP_REC_CANVAS_DC = 940,       /* drawing-context handle, 24-bit format */
  STAMP_REC_SIZE = 944             /* a record of this many bytes holds every field */
};

/* The buffer field of layer 0, 1 or 2 (the record keeps them in the order 0, 2, 1); -1 for any
 * other layer. */
static inline int stamp_rec_layer_buffer(int layer) {
  switch (layer) {
    case 0: return STAMP_REC_LAYER0_BUFFER;
    case 1: return STAMP_REC_LAYER1_BUFFER;
    case 2: return STAMP_REC_LAYER2_BUFFER;
    default: return -1;
  }
}

/* The frame window object: the window handle the plug-in re-positions sits at this byte. */
enum { STAMP_FRAME_WINDOW_HANDLE = 32, STAMP_FRAME_WINDOW_OBJECT_SIZE = 36 };

/* The host's panel raster and the part of it the plug-in draws. */
enum {
  STAMP_PANEL_WIDTH = 240,
  STAMP_PANEL_HEIGHT = 1050,
  STAMP_PANEL_TOP_ROW = 730,             /* panel (x, y) is raster (x, y + 730) */
  STAMP_HOST_DIRECTORY_CAPACITY = 264    /* UTF-16 units, terminator included */
};

#endif
