// A picture file read for the window, trusting nothing in it: the file is admitted first (a
// regular file of at most host::kMaxPictureFileBytes, opened without blocking, so a FIFO or a
// device is refused at once), its size is checked against the canvas limits from its header, and
// it is decoded whole. BMP goes through the platform's own decoder; PNG and JPEG through Qt's
// readers once the file is known to be complete (a PNG up to its end chunk, a JPEG up to its end
// marker), so a truncated picture is refused instead of coming in with rows it does not have.
#pragma once

#include <QImage>
#include <QString>

namespace stamp::gui {

struct PictureFile {
  QImage image;   // null on failure
  QString error;  // one sentence on why the file is refused, naming it
};

PictureFile ReadPictureFile(const QString& path);

}  // namespace stamp::gui
