// A modal dialog of the platform shown with Qt widgets: built from the template the tool passes
// (its controls as real widgets, placed by converting dialog units to pixels), showing what the
// dialog holds (texts, list entries, the selection) and handing each thing the user does to the
// dialog's code as the platform's user action. After every action the widgets are refreshed
// from the dialog, and the run ends once the dialog's code has ended the dialog.
#pragma once

#include <cstdint>
#include <vector>

#include <QDialog>

#include "stamp/platform.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace stamp::gui {

class TemplateDialog : public QDialog {
  Q_OBJECT

 public:
  TemplateDialog(PlatDialog* dialog, QWidget* parent);

  // Shows the dialog and runs its own event loop until the dialog's code ends it.
  void Run();
  // The text of a control as the dialog holds it.
  QString ItemText(int32_t controlId) const;

 protected:
  // Escape and the window's close button: the user's Cancel.
  void reject() override;

 private:
  struct Edit {
    int32_t id;
    QLineEdit* widget;
  };
  struct List {
    int32_t id;
    QListWidget* widget;
  };

  void AddControl(const PlatDialogControl& control);
  QPushButton* MakeButton(const PlatDialogControl& control);
  QLineEdit* MakeEdit(const PlatDialogControl& control);
  QListWidget* MakeList(const PlatDialogControl& control);
  QRect Pixels(int x, int y, int width, int height) const;
  void Acted();
  void Refresh();
  void RefreshList(const List& list);

  PlatDialog* dialog_;
  QSize baseUnits_;
  std::vector<Edit> edits_;
  std::vector<List> lists_;
};

}  // namespace stamp::gui
