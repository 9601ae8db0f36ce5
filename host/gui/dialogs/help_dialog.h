// The window's help: what each control does, on the user's road from a stamp sheet to a stamp.
#pragma once

class QWidget;

namespace stamp::gui {

void ShowHelp(QWidget* parent);

}  // namespace stamp::gui
