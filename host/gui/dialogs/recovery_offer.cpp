#include "host/gui/dialogs/recovery_offer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "host/gui/dialogs/read_progress_dialog.h"
#include "host/ora/ora_file.h"

namespace stamp::gui {
namespace {

QString Tr(const char* text) { return QCoreApplication::translate("RecoveryOffer", text); }

QString Title() { return Tr("Recover drawing"); }

void TellSkipped(QWidget* parent, const document::FolderScan& scan) {
  if (scan.notes.empty()) return;
  QStringList lines;
  for (const std::string& note : scan.notes) lines.append(QString::fromStdString(note));
  QMessageBox::warning(
      parent, Title(),
      Tr("Some files in the autosave folder were not as expected:\n%1").arg(lines.join('\n')));
}

enum class Answer { kRecover, kDiscard, kLater };

Answer Ask(QWidget* parent, const document::LeftDrawing& drawing) {
  const QString file = QString::fromStdString(drawing.path.string());
  QMessageBox box(QMessageBox::Question, Title(),
                  Tr("A Stamp window ended without closing (autosaved %1 in %2). Recover its "
                     "drawing?")
                      .arg(QFileInfo(file).lastModified().toString(), file),
                  QMessageBox::Discard, parent);
  QPushButton* recover = box.addButton(Tr("&Recover"), QMessageBox::AcceptRole);
  QPushButton* later = box.addButton(Tr("&Later"), QMessageBox::RejectRole);
  later->setToolTip(Tr("Keep the file, to be offered by the next window"));
  box.setDefaultButton(recover);
  box.exec();
  if (box.clickedButton() == recover) return Answer::kRecover;
  return box.clickedButton() == later ? Answer::kLater : Answer::kDiscard;
}

// The drawing's work, or nullopt once the user is told why it cannot be read; stopped is set
// when the user or a signal to end stopped the read.
std::optional<ora::LayeredPicture> Read(QWidget* parent, const document::LeftDrawing& drawing,
                                        bool& stopped) {
  ora::LayeredPicture work;
  std::string error;
  {
    ReadProgressDialog reading(parent, QString::fromStdString(drawing.path.string()));
    error = ora::ReadOra(drawing.path, work, reading.progress()).error();
  }
  stopped = error == ora::kReadStopped;
  if (error.empty()) return work;
  if (stopped) return std::nullopt;
  if (drawing.temporary) {
    document::RemoveLeftDrawing(drawing);  // a write killed before it was complete
  } else {
    QMessageBox::warning(
        parent, Title(),
        Tr("The autosave %1 cannot be read: %2\nIt stays where it is.")
            .arg(QString::fromStdString(drawing.path.string()), QString::fromStdString(error)));
  }
  return std::nullopt;
}

}  // namespace

std::optional<Recovered> AskToRecover(QWidget* parent,
                                      const std::vector<std::filesystem::path>& folders) {
  const document::FolderScan scan = document::ScanAutosaveFolders(folders);
  TellSkipped(parent, scan);
  for (const document::LeftDrawing& drawing : scan.drawings) {
    bool stopped = false;
    std::optional<ora::LayeredPicture> work = Read(parent, drawing, stopped);
    if (stopped) break;  // everything left stays for a later window
    if (!work) continue;
    switch (Ask(parent, drawing)) {
      case Answer::kRecover: return Recovered{std::move(*work), drawing};
      case Answer::kDiscard: document::RemoveLeftDrawing(drawing); break;
      case Answer::kLater: break;
    }
  }
  return std::nullopt;
}

}  // namespace stamp::gui
