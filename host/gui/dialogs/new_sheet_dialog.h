// Stamp > New sheet from pictures: the user picks 1 to 12 PNG or BMP pictures, sees the sheet
// they make (the sheet command's preview: twelve numbered cells), names it and saves it into
// their own sheet folder (host/sheets/user_sheets.h), asked first before an existing name is
// replaced. The saved sheet is then loaded into the tool through its load dialog, whose list
// shows it from then on. A picture that cannot be used, or a folder that cannot take the sheet,
// is named in a message and the dialog stays as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include <QDialog>
#include <QString>

#include "host/document/document.h"
#include "host/sheets/sheet_maker.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace stamp::gui {

class NewSheetDialog : public QDialog {
  Q_OBJECT

 public:
  // hostFolder holds the samples linked into the user's folder before the sheet is saved there.
  NewSheetDialog(const std::filesystem::path& hostFolder, QWidget* parent);

  // Reads and fits the pictures, in order, into the next free cells; says which were refused.
  void AddPictures(const QStringList& paths);
  // The sheet written when the dialog was accepted.
  const std::filesystem::path& saved() const { return saved_; }

 private:
  void BuildLayout();
  void ChoosePictures();
  void RemovePicture();
  void ShowPreview();
  void Save();
  bool MayWrite(const std::filesystem::path& sheet);

  std::filesystem::path hostFolder_;
  std::vector<host::FittedPicture> pictures_;
  std::filesystem::path saved_;
  QListWidget* list_ = nullptr;
  QLabel* preview_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* save_ = nullptr;
};

// Runs the dialog over window; a saved sheet is loaded into the drawing's tool and apply gets
// what the load changed, for the window to show.
void NewSheetFromPictures(QWidget* window, document::Document& document,
                          const std::function<void(const host::EventOutcome&)>& apply);

}  // namespace stamp::gui
