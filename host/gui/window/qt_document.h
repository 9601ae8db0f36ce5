// The drawing as the Qt window holds it: the document (host/document/document.h) with what the
// window gives it: the Qt back end its sessions speak to, the autosave's timer as a QTimer, and
// the document's news as signals. Paths cross as UTF-8 (the window opens only UTF-8 names).
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>

#include <QObject>
#include <QString>
#include <QTimer>

#include "host/document/document.h"
#include "host/gui/dialogs/qt_ui_backend.h"

class QWidget;

namespace stamp::gui {

std::filesystem::path FilePath(const QString& path);
QString FileName(const std::filesystem::path& path);

// The autosave's timer and its news: it calls tick when the document asked for it.
class Autosave : public QObject {
  Q_OBJECT

 public:
  static constexpr int kStrokesPerSave = document::Autosave::kStrokesPerSave;

  explicit Autosave(std::function<void()> tick);
  void After(std::chrono::milliseconds delay);
  void Stop();

 signals:
  void Written(const QString& path);
  void Failed(const QString& reason);

 private:
  QTimer timer_;
};

class QtDocument : public QObject, private document::DocumentView {
  Q_OBJECT

 public:
  // Builds the document (which starts the tool), its dialogs and message boxes shown over
  // dialogParent. Throws std::runtime_error naming what failed, as the document does.
  QtDocument(const host::SessionOptions& options, QWidget* dialogParent);

  document::Document& document() { return document_; }
  const document::Document& document() const { return document_; }
  host::Session& session() { return document_.session(); }
  const host::Session& session() const { return document_.session(); }
  const host::History& history() const { return document_.history(); }
  Autosave& autosave() { return autosave_; }
  bool unsaved() const { return document_.unsaved(); }
  QString path() const { return FileName(document_.path()); }

 signals:
  // unsaved() or path() changed.
  void StateChanged();
  // The layers' pixels changed: the canvas is shown again.
  void LayersChanged();
  // The session started again (another canvas size): its record, compositor and panel are new.
  void Restarted();
  // The recording of the drawing's steps ended before it was stopped.
  void RecordingEnded(const QString& why);

 private:
  void OnStateChanged() override { emit StateChanged(); }
  void OnLayersChanged() override { emit LayersChanged(); }
  void OnRestarted() override { emit Restarted(); }
  void TickAfter(std::chrono::milliseconds delay) override { autosave_.After(delay); }
  void CancelTick() override { autosave_.Stop(); }
  void OnAutosaved(const std::filesystem::path& path) override;
  void OnAutosaveFailed(const std::string& reason) override;
  void OnRecordingEnded(const std::string& why) override {
    emit RecordingEnded(QString::fromStdString(why));
  }

  QtUiBackend ui_;  // the user of every session the document starts, so it outlives them
  Autosave autosave_;
  document::Document document_;
};

}  // namespace stamp::gui
