// The platform's open-file and save-file request answered with a QFileDialog: the request's
// filter pairs become the dialog's name filters (the request's filter index chooses the first
// one shown), its default extension the dialog's default suffix, its file buffer the file first
// selected; the chosen path goes back into the file buffer in backslash form, cut to the
// buffer's capacity less the terminator.
#pragma once

#include <cstdint>

#include "stamp/platform.h"

class QWidget;

namespace stamp::gui {

// Nonzero when the user chose a file.
int32_t RunFileRequest(QWidget* parent, bool save, PlatOpenFileName& request);

}  // namespace stamp::gui
