#include "host/gui/dialogs/canvas_size_dialog.h"

#include <unistd.h>

#include <cstdint>
#include <string>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include "host/gui/app/window_settings.h"
#include "host/record/canvas_size.h"

namespace stamp::gui {
namespace {

constexpr char kKey[] = "canvas/size";

bool RecordHolds(int64_t width, int64_t height) {
  return host::CheckCanvasSize(width, height).ok();
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
    const std::string why = host::CheckCanvasSize(width->value(), height->value()).error();
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

QString LargeCanvasQuestion(int32_t width, int32_t height, uint64_t memoryBytes) {
  constexpr uint64_t kMegabyte = uint64_t{1} << 20;
  const uint64_t needed = static_cast<uint64_t>(host::CanvasBufferBytes(width, height)) *
                          static_cast<uint64_t>(host::kCanvasBufferCount);
  if (memoryBytes == 0 || needed <= memoryBytes / kAskAboveMemoryDivisor) return {};
  return QObject::tr(
             "A canvas of %1x%2 needs %3 MB of memory, more than half of this "
             "machine's %4 MB. Make it anyway?")
      .arg(width)
      .arg(height)
      .arg(needed / kMegabyte)
      .arg(memoryBytes / kMegabyte);
}

uint64_t MachineMemoryBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageBytes = ::sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageBytes <= 0) return 0;
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageBytes);
}

bool ConfirmCanvasMemory(QWidget* parent, int32_t width, int32_t height) {
  const QString question = LargeCanvasQuestion(width, height, MachineMemoryBytes());
  if (question.isEmpty()) return true;
  return QMessageBox::question(parent, QObject::tr("Canvas size"), question,
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace stamp::gui
