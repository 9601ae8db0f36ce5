#include "host/gui/file_kind.h"

#include <QFileInfo>
#include <QStringList>

namespace stamp::gui {
namespace {

constexpr char kDrawingSuffix[] = "ora";
const QStringList kPictureSuffixes = {"png", "jpg", "jpeg", "bmp"};

}  // namespace

FileKind KindOfFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == kDrawingSuffix) return FileKind::kDrawing;
  return kPictureSuffixes.contains(suffix) ? FileKind::kPicture : FileKind::kOther;
}

}  // namespace stamp::gui
