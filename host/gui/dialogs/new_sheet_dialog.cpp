#include "host/gui/dialogs/new_sheet_dialog.h"

#include <sys/stat.h>

#include <cstring>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/commands/command_line.h"
#include "host/output/sheet_preview.h"
#include "host/sheets/sheet_saving.h"
#include "host/sheets/user_sheets.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/portable/text_encoding.h"

namespace stamp::gui {
namespace {

namespace fs = std::filesystem;

constexpr int kListWidth = 320;  // room for a line naming a picture, its cell and its sizes

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The preview's record-layout rows (bottom row first) as a top-down picture.
QImage PreviewImage(const std::vector<uint8_t>& pixels) {
  QImage image(host::kSheetPreviewWidth, host::kSheetPreviewHeight, QImage::Format_BGR888);
  const size_t rowBytes = size_t{host::kSheetPreviewWidth} * 3;
  for (int32_t y = 0; y < host::kSheetPreviewHeight; ++y) {
    const size_t stored = static_cast<size_t>(host::kSheetPreviewHeight - 1 - y);
    std::memcpy(image.scanLine(y), pixels.data() + stored * rowBytes, rowBytes);
  }
  return image;
}

bool Exists(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace

NewSheetDialog::NewSheetDialog(const fs::path& hostFolder, QWidget* parent)
    : QDialog(parent), hostFolder_(hostFolder) {
  setObjectName("newSheetDialog");
  setWindowTitle(tr("New sheet from pictures"));
  BuildLayout();
  ShowPreview();
}

void NewSheetDialog::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout();
  auto* left = new QVBoxLayout();
  list_ = new QListWidget(this);
  list_->setObjectName("pictures");
  list_->setMinimumWidth(kListWidth);
  list_->setToolTip(tr("The pictures fill the cells in this order, four to a row"));
  left->addWidget(list_);
  auto* add = new QPushButton(tr("&Add pictures..."), this);
  auto* remove = new QPushButton(tr("&Remove"), this);
  connect(add, &QPushButton::clicked, this, &NewSheetDialog::ChoosePictures);
  connect(remove, &QPushButton::clicked, this, &NewSheetDialog::RemovePicture);
  left->addWidget(add);
  left->addWidget(remove);
  columns->addLayout(left);
  preview_ = new QLabel(this);
  preview_->setObjectName("preview");
  columns->addWidget(preview_);
  layout->addLayout(columns);
  name_ = new QLineEdit(this);
  name_->setObjectName("name");
  name_->setPlaceholderText(tr("Name of the sheet"));
  layout->addWidget(name_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
  save_ = buttons->button(QDialogButtonBox::Save);
  connect(buttons, &QDialogButtonBox::accepted, this, &NewSheetDialog::Save);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void NewSheetDialog::ChoosePictures() {
  AddPictures(QFileDialog::getOpenFileNames(this, tr("Pictures for the sheet"), QString(),
                                            tr("Pictures (*.png *.bmp);;All files (*)")));
}

void NewSheetDialog::AddPictures(const QStringList& paths) {
  std::vector<fs::path> chosen;
  for (const QString& path : paths) chosen.push_back(platform::PathFromUtf8(path.toStdString()));
  const host::PicturesAdded added = host::AddSheetPictures(pictures_, chosen);
  for (size_t k = 0; k < added.names.size(); ++k) {
    const size_t cell = pictures_.size() - added.names.size() + k;
    list_->addItem(
        Text(host::DescribeCell(static_cast<int32_t>(cell), added.names[k], pictures_[cell])));
  }
  ShowPreview();
  QStringList problems;
  for (const std::string& problem : added.problems) problems << Text(problem);
  if (!problems.isEmpty()) QMessageBox::warning(this, windowTitle(), problems.join("\n"));
}

// The cells after the removed one move up, so the list says again where each picture goes.
void NewSheetDialog::RemovePicture() {
  const int row = list_->currentRow();
  if (row < 0) return;
  pictures_.erase(pictures_.begin() + row);
  QStringList names;
  for (int i = 0; i < list_->count(); ++i) {
    if (i != row) names << list_->item(i)->text().section(": ", 1);
  }
  list_->clear();
  for (qsizetype k = 0; k < names.size(); ++k) {
    list_->addItem(tr("cell %1: %2").arg(k).arg(names[k]));
  }
  ShowPreview();
}

// The sheet as the tool will read it: encoded, decoded by the platform, drawn as the sheet
// command's preview.
void NewSheetDialog::ShowPreview() {
  save_->setEnabled(!pictures_.empty());
  const platform::BmpDecodeResult decoded = platform::DecodeBmp(host::Sheet(pictures_).EncodeBmp());
  const host::Result<std::vector<uint8_t>> pixels =
      decoded.image ? host::DrawSheetPreview(*decoded.image) : host::Failure{decoded.error};
  if (!pixels.ok()) {
    preview_->setText(tr("No preview"));
    return;
  }
  preview_->setPixmap(QPixmap::fromImage(PreviewImage(*pixels)));
}

bool NewSheetDialog::MayWrite(const fs::path& sheet) {
  if (!Exists(sheet)) return true;
  return QMessageBox::question(
             this, windowTitle(),
             tr("A sheet named %1 exists. Replace it?").arg(Text(sheet.filename().string())),
             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void NewSheetDialog::Save() {
  const std::optional<fs::path> folder = host::UserSheetFolder();
  const host::Result<fs::path> sheet =
      host::SheetPathIn(folder.value_or(fs::path()), name_->text().trimmed().toStdString());
  std::string why = sheet.error();
  if (sheet.ok() && !folder) why = "no sheet folder of your own: HOME and XDG_DATA_HOME are unset";
  if (sheet.ok() && folder) why = host::ShowUserSheetsToTool(folder, hostFolder_).error();
  if (!why.empty()) {
    QMessageBox::warning(this, windowTitle(), Text(why));
    return;
  }
  if (!MayWrite(*sheet)) return;
  if (why = host::SaveSheet(*sheet, pictures_).error(); !why.empty()) {
    QMessageBox::warning(this, windowTitle(), Text(why));
    return;
  }
  saved_ = *sheet;
  accept();
}

void NewSheetFromPictures(QWidget* window, document::Document& document,
                          const std::function<void(const host::EventOutcome&)>& apply) {
  NewSheetDialog dialog(document.options().hostFolder, window);
  if (dialog.exec() != QDialog::Accepted) return;
  apply(document.LoadSheet(host::ToolPath(dialog.saved())));
}

}  // namespace stamp::gui
