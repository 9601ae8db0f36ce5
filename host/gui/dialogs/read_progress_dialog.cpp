#include "host/gui/dialogs/read_progress_dialog.h"

#include <QCoreApplication>

#include "host/gui/app/quit_signals.h"

namespace stamp::gui {
namespace {

constexpr int kSteps = 1000;

}  // namespace

ReadProgressDialog::ReadProgressDialog(QWidget* parent, const QString& file)
    : dialog_(QCoreApplication::translate("ReadProgressDialog", "Reading %1...").arg(file),
              QCoreApplication::translate("ReadProgressDialog", "Cancel"), 0, kSteps, parent) {
  dialog_.setWindowModality(Qt::WindowModal);
  dialog_.setMinimumDuration(static_cast<int>(kShowAfter.count()));
  dialog_.setAutoReset(false);
  dialog_.setValue(0);
}

ora::ReadProgress ReadProgressDialog::progress() {
  return [this](double done) {
    // The dialog takes its events (Cancel) while it is set, being modal.
    dialog_.setValue(static_cast<int>(done * kSteps));
    return !dialog_.wasCanceled() && !QuitSignals::Arrived();
  };
}

}  // namespace stamp::gui
