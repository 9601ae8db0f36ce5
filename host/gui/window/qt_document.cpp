#include "host/gui/window/qt_document.h"

namespace stamp::gui {

std::filesystem::path FilePath(const QString& path) { return path.toStdString(); }

QString FileName(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

Autosave::Autosave(std::function<void()> tick) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, std::move(tick));
}

void Autosave::After(std::chrono::milliseconds delay) { timer_.start(delay); }

void Autosave::Stop() { timer_.stop(); }

QtDocument::QtDocument(const host::SessionOptions& options, QWidget* dialogParent)
    : ui_(dialogParent), autosave_([this] { document_.Tick(); }), document_(options, ui_, *this) {}

void QtDocument::OnAutosaved(const std::filesystem::path& path) {
  emit autosave_.Written(FileName(path));
}

void QtDocument::OnAutosaveFailed(const std::string& reason) {
  emit autosave_.Failed(QString::fromStdString(reason));
}

}  // namespace stamp::gui
