#include "host/gui/canvas_size_dialog.h"

#include <cstdint>
#include <string>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "host/gui/window_settings.h"
#include "host/record/canvas_size.h"

namespace stamp::gui {
namespace {

constexpr char kKey[] = "canvas/size";

bool RecordHolds(int64_t width, int64_t height) {
  return host::CanvasSizeProblem(width, height).empty();
}

// The longest side of a canvas one pixel wide or high that a record can describe.
int LongestSide() {
  int64_t holds = 1;
  int64_t refused = int64_t{INT32_MAX} + 1;
  while (refused - holds > 1) {
    const int64_t middle = holds + (refused - holds) / 2;
    (RecordHolds(middle, 1) ? holds : refused) = middle;
  }
  return static_cast<int>(holds);
}

QSpinBox* SideBox(QDialog& dialog, const char* name, int value) {
  auto* box = new QSpinBox(&dialog);
  box->setObjectName(name);
  box->setRange(1, LongestSide());
  box->setSuffix(QObject::tr(" pixels"));
  box->setValue(value);
  return box;
}

QSize StartingSize(QSize current) {
  const QSize remembered = WindowSettings().value(kKey).toSize();
  return remembered.isValid() && RecordHolds(remembered.width(), remembered.height()) ? remembered
                                                                                      : current;
}

}  // namespace

std::optional<QSize> AskCanvasSize(QWidget* parent, QSize current) {
  QDialog dialog(parent);
  dialog.setObjectName("canvasSize");
  dialog.setWindowTitle(QObject::tr("New canvas"));
  const QSize start = StartingSize(current);
  QSpinBox* width = SideBox(dialog, "width", start.width());
  QSpinBox* height = SideBox(dialog, "height", start.height());
  auto* problem = new QLabel(&dialog);
  problem->setObjectName("problem");
  problem->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QObject::tr("&Width:"), width);
  form->addRow(QObject::tr("&Height:"), height);
  form->addRow(problem);
  form->addRow(buttons);
  const auto check = [&] {
    const std::string why = host::CanvasSizeProblem(width->value(), height->value());
    problem->setText(QString::fromStdString(why));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(why.empty());
  };
  QObject::connect(width, &QSpinBox::valueChanged, &dialog, check);
  QObject::connect(height, &QSpinBox::valueChanged, &dialog, check);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  check();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QSize chosen(width->value(), height->value());
  WindowSettings().setValue(kKey, chosen);
  return chosen;
}

}  // namespace stamp::gui
