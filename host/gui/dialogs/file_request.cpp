#include "host/gui/dialogs/file_request.h"

#include <string>

#include <QFileDialog>
#include <QFileInfo>

#include "platform/portable/text_encoding.h"

namespace stamp::gui {
namespace {

QString Text(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Windows patterns as a name filter's: "*.*" matches every file there, ';' separates patterns.
QString Patterns(std::u16string_view windowsPatterns) {
  QStringList patterns = Text(windowsPatterns).split(';', Qt::SkipEmptyParts);
  for (QString& pattern : patterns) pattern = pattern.trimmed() == "*.*" ? "*" : pattern.trimmed();
  return patterns.join(' ');
}

// The filter's (description, pattern) pairs, each string ended by a zero and the list by an empty
// one, as name filters "Description (patterns)". A description that names its patterns in
// parentheses at its end, as "Bmp Files (*.bmp)" does, has them replaced by the name filter's.
QStringList NameFilters(const char16_t* filter) {
  QStringList filters;
  while (filter != nullptr && *filter != u'\0') {
    const std::u16string_view description = filter;
    const std::u16string_view pattern = filter + description.size() + 1;
    if (pattern.empty()) break;
    QString named = Text(description);
    const QString namedPatterns = "(" + Text(pattern) + ")";
    if (named.endsWith(namedPatterns)) named = named.chopped(namedPatterns.size()).trimmed();
    filters.append(named + " (" + Patterns(pattern) + ")");
    filter = pattern.data() + pattern.size() + 1;
  }
  return filters;
}

// The file buffer's text, reading no further than its capacity.
std::u16string StartingFile(const PlatOpenFileName& request) {
  if (request.lpstrFile == nullptr) return {};
  std::u16string_view buffer(request.lpstrFile, request.nMaxFile);
  return std::u16string(buffer.substr(0, buffer.find(u'\0')));
}

QString FileSystemPath(std::u16string_view windowsPath) {
  return QString::fromStdString(platform::ToFileSystemPath(windowsPath));
}

void Configure(QFileDialog& dialog, bool save, const PlatOpenFileName& request) {
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = NameFilters(request.lpstrFilter);
  dialog.setNameFilters(filters);
  const auto index = static_cast<qsizetype>(request.nFilterIndex);
  if (index >= 1 && index <= filters.size()) dialog.selectNameFilter(filters[index - 1]);
  dialog.setDefaultSuffix(Text(platform::Utf16View(request.lpstrDefExt)));
  if (const std::u16string_view folder = platform::Utf16View(request.lpstrInitialDir);
      !folder.empty()) {
    dialog.setDirectory(FileSystemPath(folder));
  }
  if (const std::u16string start = StartingFile(request); !start.empty()) {
    const QFileInfo file(FileSystemPath(start));
    dialog.setDirectory(file.absolutePath());
    dialog.selectFile(file.fileName());
  }
}

}  // namespace

int32_t RunFileRequest(QWidget* parent, bool save, PlatOpenFileName& request) {
  if (request.lpstrFile == nullptr || request.nMaxFile == 0) return 0;
  const std::u16string_view title = platform::Utf16View(request.lpstrTitle);
  QFileDialog dialog(
      parent, title.empty() ? (save ? QObject::tr("Save") : QObject::tr("Open")) : Text(title));
  dialog.setObjectName("fileDialog");
  Configure(dialog, save, request);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return 0;
  const std::string chosen = dialog.selectedFiles().first().toStdString();
  platform::CopyTerminated(platform::FromFileSystemPath(chosen), request.lpstrFile,
                           request.nMaxFile);
  return 1;
}

}  // namespace stamp::gui
