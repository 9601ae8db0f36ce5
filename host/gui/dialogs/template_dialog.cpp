#include "host/gui/dialogs/template_dialog.h"

#include <string>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include "stamp/platform_host.h"

namespace stamp::gui {
namespace {

// The letters whose average width is a dialog font's horizontal base unit.
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kFirstTextCapacity = 256;

QString FromUtf16(const char16_t* text) { return text != nullptr ? QString::fromUtf16(text) : ""; }

// The horizontal base unit is the font's average letter width, the vertical one its height.
QSize BaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QString::fromLatin1(kAlphabet));
  return {(width / 26 + 1) / 2, metrics.height()};
}

QStringList ShownEntries(const QListWidget& list) {
  QStringList entries;
  for (int row = 0; row < list.count(); ++row) entries.append(list.item(row)->text());
  return entries;
}

}  // namespace

TemplateDialog::TemplateDialog(PlatDialog* dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  const PlatDialogTemplate& dialogTemplate = *plat_dialog_template(dialog);
  setObjectName("dialog" + QString::number(dialogTemplate.resourceId));
  setWindowTitle(FromUtf16(dialogTemplate.caption));
  if (dialogTemplate.fontName != nullptr) {
    setFont(QFont(FromUtf16(dialogTemplate.fontName), dialogTemplate.fontPoints));
  }
  baseUnits_ = BaseUnits(font());
  setFixedSize(Pixels(0, 0, dialogTemplate.width, dialogTemplate.height).size());
  for (int32_t i = 0; i < dialogTemplate.controlCount; ++i) {
    AddControl(dialogTemplate.controls[i]);
  }
  Refresh();
}

void TemplateDialog::Run() {
  if (!plat_dialog_ended(dialog_, nullptr)) exec();
}

void TemplateDialog::reject() {
  plat_dialog_user_click(dialog_, PLAT_IDCANCEL);
  Acted();
}

void TemplateDialog::AddControl(const PlatDialogControl& control) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case PLAT_CONTROL_PUSH_BUTTON:
    case PLAT_CONTROL_DEFAULT_PUSH_BUTTON: widget = MakeButton(control); break;
    case PLAT_CONTROL_EDIT: widget = MakeEdit(control); break;
    case PLAT_CONTROL_LIST_BOX: widget = MakeList(control); break;
  }
  if (widget == nullptr) return;
  widget->setObjectName("control" + QString::number(control.id));
  widget->setGeometry(Pixels(control.x, control.y, control.width, control.height));
  widget->setVisible((control.style & PLAT_WS_VISIBLE) != 0);
  widget->setFocusPolicy((control.style & PLAT_WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
}

QPushButton* TemplateDialog::MakeButton(const PlatDialogControl& control) {
  auto* button = new QPushButton(FromUtf16(control.text), this);
  const bool isDefault = control.kind == PLAT_CONTROL_DEFAULT_PUSH_BUTTON;
  button->setDefault(isDefault);
  button->setAutoDefault(isDefault);
  connect(button, &QPushButton::clicked, this, [this, id = control.id] {
    plat_dialog_user_click(dialog_, id);
    Acted();
  });
  return button;
}

QLineEdit* TemplateDialog::MakeEdit(const PlatDialogControl& control) {
  auto* edit = new QLineEdit(this);
  edits_.push_back({control.id, edit});
  connect(edit, &QLineEdit::textEdited, this, [this, id = control.id](const QString& text) {
    plat_dialog_user_type(dialog_, id, text.toStdU16String().c_str());
    Acted();
  });
  return edit;
}

QListWidget* TemplateDialog::MakeList(const PlatDialogControl& control) {
  auto* list = new QListWidget(this);
  lists_.push_back({control.id, list});
  if ((control.style & PLAT_WS_VSCROLL) == 0) {
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  connect(list, &QListWidget::currentRowChanged, this, [this, id = control.id](int row) {
    if (row < 0) return;
    plat_dialog_user_select(dialog_, id, row);
    Acted();
  });
  return list;
}

// Dialog units: a quarter of the horizontal base unit, an eighth of the vertical one.
QRect TemplateDialog::Pixels(int x, int y, int width, int height) const {
  const int unitX = baseUnits_.width();
  const int unitY = baseUnits_.height();
  return {x * unitX / 4, y * unitY / 8, width * unitX / 4, height * unitY / 8};
}

QString TemplateDialog::ItemText(int32_t controlId) const {
  for (int32_t capacity = kFirstTextCapacity;; capacity *= 2) {
    std::u16string buffer(static_cast<size_t>(capacity), u'\0');
    const int32_t copied = plat_dialog_get_item_text(dialog_, controlId, buffer.data(), capacity);
    if (copied < capacity - 1) return QString::fromUtf16(buffer.data(), copied);
  }
}

void TemplateDialog::Acted() {
  if (int32_t result = 0; plat_dialog_ended(dialog_, &result)) {
    QDialog::done(result);
    return;
  }
  Refresh();
}

void TemplateDialog::Refresh() {
  for (const Edit& edit : edits_) {
    const QString text = ItemText(edit.id);
    if (edit.widget->text() != text) edit.widget->setText(text);
  }
  for (const List& list : lists_) RefreshList(list);
}

void TemplateDialog::RefreshList(const List& list) {
  const QSignalBlocker blocker(list.widget);
  QStringList entries;
  for (int32_t k = 0; const char16_t* entry = plat_dialog_list_entry(dialog_, list.id, k); ++k) {
    entries.append(QString::fromUtf16(entry));
  }
  if (entries != ShownEntries(*list.widget)) {
    list.widget->clear();
    list.widget->addItems(entries);
  }
  const auto selection = plat_dialog_send_item_message(dialog_, list.id, PLAT_LB_GETCURSEL, 0, 0);
  list.widget->setCurrentRow(static_cast<int>(selection));
}

}  // namespace stamp::gui
