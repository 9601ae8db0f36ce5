// The progress of a read the user waits on: a dialog with Cancel shows how far it is once it has
// taken kShowAfter, and Cancel, or a signal to end the program (quit_signals.h), stops the read.
#pragma once

#include <chrono>

#include <QProgressDialog>

#include "host/ora/read_progress.h"

namespace stamp::gui {

class ReadProgressDialog {
 public:
  static constexpr std::chrono::milliseconds kShowAfter{400};

  ReadProgressDialog(QWidget* parent, const QString& file);

  // Valid while this object lives.
  ora::ReadProgress progress();

 private:
  QProgressDialog dialog_;
};

}  // namespace stamp::gui
