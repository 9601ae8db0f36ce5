// File > Open picture into layer 0: a PNG, JPEG or BMP picture (read as picture_file.h says)
// becomes the back layer, to stamp on. A picture of another size than the canvas either sets the
// canvas's size or is placed at the top-left corner, as the user chooses.
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include "host/gui/views/raster_image.h"
#include "host/gui/window/picture_file.h"
#include "host/gui/window/recent_files.h"
#include "host/gui/window/stamp_window.h"

namespace stamp::gui {

void StampWindow::OpenPicture() {
  const QString path =
      QFileDialog::getOpenFileName(this, tr("Open picture into layer 0"), {},
                                   tr("Pictures (*.png *.jpg *.jpeg *.bmp);;All files (*)"));
  if (!path.isEmpty()) OpenPictureFrom(path);
}

void StampWindow::OpenPictureFrom(const QString& path) {
  const PictureFile file = ReadPictureFile(path);
  if (file.image.isNull()) {
    return Warn(tr("Open picture"), tr("%1.\nThe drawing is unchanged.").arg(file.error));
  }
  const QImage& picture = file.image;
  const host::HostRecord& shown = work_->session().record();
  if (picture.size() != QSize(shown.canvasWidth(), shown.canvasHeight())) {
    const Placement placement = AskPlacement(picture.size());
    if (placement == Placement::kCancel) return;
    // A canvas of another size starts empty: the other layers' changes are asked about first.
    if (placement == Placement::kResizeCanvas &&
        (!ConfirmDiscard(tr("Resize the canvas")) ||
         !ResizeCanvas(picture.width(), picture.height()))) {
      return;
    }
  }
  if (const std::string error = work_->document().ImportPicture(PictureOf(picture)).error();
      !error.empty()) {
    return Warn(tr("Open picture"), tr("%1 cannot be opened: %2.\nThe drawing is unchanged.")
                                        .arg(path, QString::fromStdString(error)));
  }
  AddRecentFile(path);
  statusBar()->showMessage(tr("Layer 0 holds %1").arg(path));
}

StampWindow::Placement StampWindow::AskPlacement(const QSize& picture) {
  const host::HostRecord& record = work_->session().record();
  QMessageBox box(QMessageBox::Question, tr("Open picture"),
                  tr("The picture is %1x%2; the canvas is %3x%4.")
                      .arg(picture.width())
                      .arg(picture.height())
                      .arg(record.canvasWidth())
                      .arg(record.canvasHeight()),
                  QMessageBox::Cancel, this);
  QPushButton* resize = box.addButton(tr("&Resize the canvas"), QMessageBox::AcceptRole);
  QPushButton* place = box.addButton(tr("&Place at the top-left"), QMessageBox::AcceptRole);
  box.setDefaultButton(resize);
  box.exec();
  if (box.clickedButton() == resize) return Placement::kResizeCanvas;
  return box.clickedButton() == place ? Placement::kTopLeft : Placement::kCancel;
}

}  // namespace stamp::gui
