// The window driven as a user drives it (the load dialog's widgets, clicks on the panel, keys,
// strokes on the canvas at several zooms and scroll positions, undo), compared with the same
// session run by stamp-host run from a script: every pixel the window paints must be the pixel
// of the scripted host's composite that its point names, and the panel the one it saves.
// Then the window as work is kept in it: the history, the question before unsaved work is
// dropped, the work's files, ending by a signal and recovering after a crash (a copy of this
// program, started as a child, is the window that gets killed).
#include <QApplication>
#include <QBuffer>
#include <QColorSpace>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#ifdef STAMP_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "host/document/autosave_system.h"
#include "host/gui/app/quit_signals.h"
#include "host/gui/app/window_settings.h"
#include "host/gui/dialogs/canvas_size_dialog.h"
#include "host/gui/dialogs/new_sheet_dialog.h"
#include "host/gui/views/canvas_view.h"
#include "host/gui/views/panel_view.h"
#include "host/gui/views/view_mapping.h"
#include "host/gui/window/picture_file.h"
#include "host/gui/window/recent_files.h"
#include "host/gui/window/stamp_window.h"
#include "host/ora/ora_file.h"
#include "host/ora/stack_xml.h"
#include "host/output/png_writer.h"
#include "host/session/history.h"
#include "platform/portable/text_encoding.h"
#include "platform/testing/platform_testing.h"
#include "stamp/host_record.h"
#include "stamp/platform_host.h"
#include "stamp/plugin.h"
#include "support/test_files.h"

namespace stamp::gui {
namespace {

namespace fs = std::filesystem;

constexpr int kCanvasSide = 800;
// The canvas of the tests that need no room to stroke in, and of the drawings they write.
constexpr int kSmallSide = 200;
constexpr char kChildVariable[] = "STAMP_GUI_TEST_CHILD";
constexpr char kRecoveringChildVariable[] = "STAMP_GUI_TEST_RECOVERING_CHILD";
constexpr char kAnsweredLine[] = "answered";
constexpr char kReadyLine[] = "ready";
constexpr char kBusyChildVariable[] = "STAMP_GUI_TEST_BUSY_CHILD";
constexpr char kAnswersTimer[] = "answers";
const fs::path kHostFolder = fs::path(STAMP_HOST_EXE).parent_path();

// The panel point where a press opens the load dialog.
constexpr QPoint kFileButton(STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y);

// The view point of a panel point.
QPoint OnPanel(QPoint point) { return point * PanelView::kScale; }

// A move with the left button held, as a drag delivers it.
void DragTo(QWidget* widget, QPoint point) {
  QMouseEvent move(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

// Runs action on the load dialog once it is showing (from inside its event loop).
void WhenDialogShows(std::function<void(QDialog&)> action) {
  QTimer::singleShot(0, [action] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr) action(*dialog);
  });
}

// What New canvas's size dialog showed when it was answered.
struct SizeAsked {
  QSize offered;
  bool okEnabled = false;
  QString problem;
};

// Answers New canvas's size dialog once it shows: enters size and presses OK, or Cancel where OK
// is disabled.
void AnswerCanvasSize(QSize size, SizeAsked* asked = nullptr) {
  WhenDialogShows([size, asked](QDialog& dialog) {
    auto* width = dialog.findChild<QSpinBox*>("width");
    auto* height = dialog.findChild<QSpinBox*>("height");
    const QSize offered(width->value(), height->value());
    width->setValue(size.width());
    height->setValue(size.height());
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    if (asked != nullptr) {
      *asked = {offered, ok->isEnabled(), dialog.findChild<QLabel*>("problem")->text()};
    }
    if (ok->isEnabled()) {
      ok->click();
    } else {
      dialog.reject();
    }
  });
}

// The load dialog's control of the id the plug-in gave it.
template <typename Control>
Control* ControlOf(QDialog& dialog, int id) {
  return dialog.findChild<Control*>("control" + QString::number(id));
}

void Click(QDialog& dialog, int id) {
  QTest::mouseClick(ControlOf<QPushButton>(dialog, id), Qt::LeftButton);
}

// The pixels alone, as 8-bit RGB: a PNG read back carries a colour space, the window's pictures
// none, and QImage's comparison counts it.
QImage Pixels(const QImage& image) {
  QImage pixels = image.convertToFormat(QImage::Format_RGB888);
  pixels.setColorSpace(QColorSpace());
  return pixels;
}

// What the canvas view painted, and where the canvas lay in it then.
struct ShownCanvas {
  QString name;
  QImage view;
  ViewMapping mapping;
};

ShownCanvas Shown(const QString& name, const CanvasView& canvas) {
  return {name, canvas.viewport()->grab().toImage(), canvas.mapping()};
}

struct Comparison {
  int compared = 0;
  int mismatched = 0;
  int nonWhite = 0;
};

// Each painted pixel against the canvas pixel its point names, where that lies on the canvas.
Comparison Compare(const ShownCanvas& shown, const QImage& canvas) {
  Comparison result;
  for (int y = 0; y < shown.view.height(); ++y) {
    for (int x = 0; x < shown.view.width(); ++x) {
      const QPoint at = shown.mapping.CanvasPoint({x, y});
      if (!canvas.rect().contains(at)) continue;
      ++result.compared;
      result.mismatched += shown.view.pixel(x, y) != canvas.pixel(at);
      result.nonWhite += canvas.pixel(at) != qRgb(255, 255, 255);
    }
  }
  return result;
}

// Runs action, answering the message boxes it shows, in order, by pressing the button with each
// text (its '&' left out); true when a box came for every answer. The boxes' texts go to texts,
// and onAnswer runs as each answer is pressed.
bool Answering(const QStringList& buttons, const std::function<void()>& action,
               QStringList* texts = nullptr, const std::function<void()>& onAnswer = {}) {
  if (buttons.isEmpty()) {
    action();
    return true;
  }
  auto unanswered = std::make_shared<QStringList>(buttons);
  auto* timer = new QTimer(qApp);
  timer->setObjectName(kAnswersTimer);
  QObject::connect(timer, &QTimer::timeout, [timer, unanswered, texts, onAnswer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || box->property("answered").toBool()) return;
    box->setProperty("answered", true);
    if (texts != nullptr) texts->append(box->text());
    for (QAbstractButton* button : box->buttons()) {
      if (button->text().remove('&') == unanswered->front())
        QTimer::singleShot(0, button, &QAbstractButton::click);
    }
    if (onAnswer) onAnswer();
    unanswered->pop_front();
    if (unanswered->isEmpty()) timer->deleteLater();
  });
  timer->start(10);
  action();
  return unanswered->isEmpty();
}

// Runs action, answering its boxes as Answering does; what went wrong (a box that never came, a
// text of told that no box showed) with the boxes' texts, or empty when nothing did.
QString AnswerExpecting(const QStringList& buttons, const std::function<void()>& action,
                        const QStringList& told) {
  QStringList texts;
  QStringList wrong;
  if (!Answering(buttons, action, &texts)) wrong << "a box to answer never came";
  const QString shown = texts.join('\n');
  for (const QString& text : told) {
    if (!shown.contains(text)) wrong << "no box said " + text;
  }
  return wrong.isEmpty() ? QString() : wrong.join(", ") + " in:\n" + shown;
}

// Whole files: empty when it cannot be read, false when not every byte was written.
QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The three layers, one after another.
QByteArray Layers(const StampWindow& window) {
  const host::HostRecord& record = window.work().session().record();
  QByteArray bytes;
  for (int layer = 0; layer < 3; ++layer) {
    bytes.append(reinterpret_cast<const char*>(record.buffer(stamp_rec_layer_buffer(layer))),
                 static_cast<qsizetype>(record.canvasBytes()));
  }
  return bytes;
}

// Starts a copy of this program as the child that variable names, with the environment given, and
// waits until it prints line; false (with the child's errors in why) when it never does.
bool StartChild(QProcess& child, QProcessEnvironment environment,
                std::pair<const char*, QString> variable, const char* line, QByteArray& why) {
  environment.insert(variable.first, variable.second);
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(), {});
  QByteArray out;
  while (!out.contains(line) && child.waitForReadyRead(120000))
    out += child.readAllStandardOutput();
  why = child.readAllStandardError();
  return out.contains(line);
}

// A drawing's layers, one after another.
QByteArray LayersOf(const ora::LayeredPicture& work) {
  QByteArray layers;
  for (const auto& layer : work.layers) layers.append(QByteArrayView(layer));
  return layers;
}

// The layers of the drawing at path; empty when it cannot be read.
QByteArray ReadLayers(const fs::path& path) {
  ora::LayeredPicture work;
  return ora::ReadOra(path, work).ok() ? LayersOf(work) : QByteArray();
}

// A drawing of side x side whose three layers are filled with shade, written as an autosave would
// be; its layers, or empty when it could not be written.
QByteArray WriteDrawing(const fs::path& path, int side, uint8_t shade) {
  const size_t bytes = static_cast<size_t>(side) * static_cast<size_t>(side) * ora::kBytesPerPixel;
  const std::vector<uint8_t> layer(bytes, shade);
  const ora::LayeredPicture work{side, side, {layer, layer, layer}};
  return ora::WriteOra(path, work, layer).ok() ? LayersOf(work) : QByteArray();
}

// Whether any drawing in folder, autosave or temporary, holds the layers.
bool FolderHolds(const fs::path& folder, const QByteArray& layers) {
  std::error_code code;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
    if (ReadLayers(entry.path()) == layers) return true;
  }
  return false;
}

// The id of a process that has ended.
pid_t EndedProcessId() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

// Files as a drag from a file manager carries them.
std::unique_ptr<QMimeData> FileData(const QStringList& paths) {
  auto data = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const QString& path : paths) urls.append(QUrl::fromLocalFile(path));
  data->setUrls(urls);
  return data;
}

// Drags data onto the window; whether the window took it as it entered. With drop, a drag taken
// is dropped, and what the drop does runs before this returns.
bool DragOnto(QWidget& window, const std::unique_ptr<QMimeData>& data, bool drop) {
  const QPointF at = window.rect().center();
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted() || !drop) return enter.isAccepted();
  QDropEvent dropped(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &dropped);
  QCoreApplication::processEvents();
  return true;
}

// A picture of one colour, kPictureGreen, saved at path in the format its suffix names; false when
// it could not be saved.
constexpr QRgb kPictureGreen = qRgb(10, 200, 30);
bool SavePicture(const QString& path, QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(kPictureGreen);
  return picture.save(path);
}

// A stroke that stamps at a point of the canvas shown at 1:1, unscrolled.
void Stamp(CanvasView* canvas, QPoint point) {
  QTest::mousePress(canvas->viewport(), Qt::LeftButton, {}, point);
  QTest::mouseRelease(canvas->viewport(), Qt::LeftButton, {}, point);
}

// The canvas as the view paints it at 1:1, unscrolled: view pixel (x, y) is canvas pixel (x, y).
QImage Painted(const CanvasView& canvas) { return canvas.viewport()->grab().toImage(); }

}  // namespace

class StampWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void sessionShowsWhatTheScriptedHostSaves();
  void fileButtonAsksThePickerWithTheRequest();
  void zoomKeysAndWheelStepThroughEveryZoom();
  void historyTakesBackAndRedoesAHundredStrokes();
  void aStrokeCutShortByADialogLandsWhereThePenWas();
  void unsavedWorkIsAskedAboutBeforeItIsDropped();
  void workAndPicturesOpenIntoTheLayers();
  void filesFromOutsideOpenByTheirKind();
  void newCanvasAsksTheSize();
  void recentFilesKeepTheLastTen();
  void theCommandLineOpensADrawingAndASignalEndsIt();
  void aKilledWindowsAutosaveIsRecovered();
  void hostileFilesAreRefusedWithAMessage();
  void everyLeftDrawingIsOfferedAndTheFolderKeptClean();
  void aRecoveredDrawingSurvivesAKillAtAnyMoment();
  void aSheetFromPicturesIsSavedLoadedAndListed();
  void twoWindowsStartedTogetherBothListEverySample();
  void aPictureTheSheetMakerTakesOpens();
  void cleanup();

 private:
  // Opens window_ on a canvas of side x side, with a profile named after the running test, and
  // finds its canvas_; false when the window never became active. cleanup() closes it.
  bool Open(int side = kCanvasSide) {
    const QString profile = folder_.filePath(QString(QTest::currentTestFunction()) + ".ini");
    window_ = std::make_unique<StampWindow>(
        host::SessionOptions{side, side, profile.toStdString(), kHostFolder});
    canvas_ = window_->findChild<CanvasView*>("canvas");
    window_->resize(1000, 700);
    window_->show();
    return Reactivated();
  }

  // Opens a small window, stamps once at (50, 50) and saves the work as NAME.ora: the file's
  // path, or empty when the window did not open or the work was not saved.
  QString OpenWithSavedStroke(const QString& name) {
    if (!Open(kSmallSide)) return {};
    Stamp(canvas_, {50, 50});
    const QString path = folder_.filePath(name + ".ora");
    return window_->SaveWorkTo(path) ? path : QString();
  }

  QSize CanvasSize() const {
    const host::HostRecord& record = window_->work().session().record();
    return {record.canvasWidth(), record.canvasHeight()};
  }

  // Makes window_ active again, which the offscreen platform has no window manager to do after a
  // dialog or a box.
  bool Reactivated() {
    window_->activateWindow();
    return QTest::qWaitForWindowActive(window_.get());
  }

  // Runs action on the load dialog once a press on the panel's file button has opened it.
  void InLoadDialog(std::function<void(QDialog&)> action) {
    WhenDialogShows(std::move(action));
    QTest::mouseClick(window_->findChild<PanelView*>("panel"), Qt::LeftButton, {},
                      OnPanel(kFileButton));
  }

  QTemporaryDir folder_;
  std::unique_ptr<StampWindow> window_;
  CanvasView* canvas_ = nullptr;
};

void StampWindowTest::initTestCase() {
  QVERIFY(folder_.isValid());
  // Closing a window in a test must not end the application's event loops.
  QApplication::setQuitOnLastWindowClosed(false);
  qputenv("XDG_STATE_HOME", folder_.filePath("state").toUtf8());
  // Autosaves that the state folder cannot take go to a fallback folder in the test's own.
  QVERIFY(QDir(folder_.path()).mkdir("tmp"));
  qputenv("TMPDIR", folder_.filePath("tmp").toUtf8());
  // The load dialog lists the stamp folder beside the running program: the built host's.
  plat_set_program_path(STAMP_HOST_EXE);
  // The window's remembered size goes to a settings folder of the test's own.
  qputenv("XDG_CONFIG_HOME", folder_.filePath("config").toUtf8());
}

// No test leaves its window, an autosave for the next window to offer, or answers for its boxes.
void StampWindowTest::cleanup() {
  window_.reset();
  canvas_ = nullptr;
  QDir(folder_.filePath("state/stamp-host")).removeRecursively();
  if (const std::optional<fs::path> fallback = document::FallbackFolder()) {
    fs::remove_all(*fallback);
  }
  qDeleteAll(qApp->findChildren<QTimer*>(kAnswersTimer));
}

void StampWindowTest::sessionShowsWhatTheScriptedHostSaves() {
  QVERIFY(Open());
  // The window records its own steps too; their replay must end where the written script does.
  const QString recorded = folder_.filePath("recorded.txt");
  window_->StartRecording(FilePath(recorded));
  auto* panel = window_->findChild<PanelView*>("panel");
  auto* layer = window_->findChild<QComboBox*>("layer");
  auto* zoom = window_->findChild<QComboBox*>("zoom");
  QString script;
  // A pen press at the first panel point, moves through the middle ones and a release at the
  // last, given to the panel and written as the script's lines for the same.
  const auto onPanel = [&](const std::vector<QPoint>& points) {
    const auto line = [&](const char* what, QPoint point) {
      script += QString("panel %1 %2 %3\n").arg(what).arg(point.x()).arg(point.y());
    };
    QTest::mousePress(panel, Qt::LeftButton, {}, OnPanel(points.front()));
    line("down", points.front());
    for (size_t i = 1; i + 1 < points.size(); ++i) {
      DragTo(panel, OnPanel(points[i]));
      line("move", points[i]);
    }
    QTest::mouseRelease(panel, Qt::LeftButton, {}, OnPanel(points.back()));
    line("up", points.back());
  };

  // Pick the nature sheet in the load dialog: its row, the path it fills in, OK. The script
  // answers the dialog before the press that opens it.
  int sheetRow = -1;
  QString shownPath;
  WhenDialogShows([&](QDialog& dialog) {
    auto* list = ControlOf<QListWidget>(dialog, STAMP_LOAD_DIALOG_LIST);
    const QList<QListWidgetItem*> found = list->findItems("nature.bmp", Qt::MatchExactly);
    if (found.isEmpty()) return Click(dialog, PLAT_IDCANCEL);
    sheetRow = list->row(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
    shownPath = ControlOf<QLineEdit>(dialog, STAMP_LOAD_DIALOG_PATH_BOX)->text();
    Click(dialog, PLAT_IDOK);
  });
  onPanel({kFileButton});
  QVERIFY2(sheetRow >= 0, "the load dialog lists no nature.bmp");
  QVERIFY(shownPath.endsWith("\\stamp\\nature.bmp"));
  QVERIFY(Reactivated());
  script.prepend(QString("dialog select %1\ndialog ok\n").arg(sheetRow));

  // A cell, the next one by key, the size down three and up one, the dial dragged.
  onPanel({{140, 40}});
  QTest::keyClick(window_.get(), Qt::Key_B);
  script += "key b\n";
  for (int i = 0; i < 3; ++i) onPanel({{95, 105}});
  onPanel({{95, 15}});
  onPanel({{65, 50}, {85, 50}, {95, 70}, {95, 70}});

  // Strokes: pen-down at a view point, which the tool converts through the record's view fields
  // (the preview it draws then is kept, to compare as NAME), moves and pen-up at canvas points.
  QWidget* view = canvas_->viewport();
  std::vector<ShownCanvas> previews;
  const auto stroke = [&](const QString& name, const std::vector<QPoint>& points) {
    QTest::mousePress(view, Qt::LeftButton, {}, points.front());
    previews.push_back(Shown(name, *canvas_));
    for (size_t i = 1; i + 1 < points.size(); ++i) DragTo(view, points[i]);
    QTest::mouseRelease(view, Qt::LeftButton, {}, points.back());
  };

  // Layer 0 at 1:1, scrolled by (100, 50).
  QVERIFY(canvas_->horizontalScrollBar()->maximum() >= 100);
  QVERIFY(canvas_->verticalScrollBar()->maximum() >= 50);
  canvas_->horizontalScrollBar()->setValue(100);
  canvas_->verticalScrollBar()->setValue(50);
  stroke("scrolled", {{30, 40}, {40, 50}, {50, 60}});
  script += "layer 0\nview -100 -50 0\npen down 30 40\nsave scrolled\n";
  script += "pen move 140 100\npen up 150 110\n";

  // Layer 1 at 1:2 and layer 2 at 1:4, where the whole canvas fits and scrolling ends; the last
  // stamp is undone. Zoom items run from 1:4 (item 0) to 8:1; 1:1 is item 2.
  layer->setCurrentIndex(1);
  zoom->setCurrentIndex(1);
  QCOMPARE(canvas_->mapping().origin, QPoint(0, 0));
  stroke("half", {{100, 120}, {100, 120}});
  script += "layer 1\nview 0 0 1\npen down 100 120\nsave half\npen up 200 240\n";
  layer->setCurrentIndex(2);
  zoom->setCurrentIndex(0);
  stroke("quarter", {{60, 45}, {60, 45}});
  stroke("undone", {{70, 70}, {70, 70}});
  QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
  script += "layer 2\nview 0 0 2\npen down 60 45\nsave quarter\npen up 240 180\n";
  script += "pen down 70 70\nsave undone\npen up 280 280\nundo\n";

  // Layer 0 at 4:1, scrolled to (1000, 800) in view pixels: view point (x, y) is canvas pixel
  // ((x + 1000) / 4, (y + 800) / 4), rounded down, at pen-down as on the way; the record's view
  // is (0, 0) with shift 0 and pen-down gets that canvas point.
  layer->setCurrentIndex(0);
  zoom->setCurrentIndex(4);
  canvas_->horizontalScrollBar()->setValue(1000);
  canvas_->verticalScrollBar()->setValue(800);
  stroke("magnified", {{41, 63}, {50, 70}, {83, 97}});
  script += "layer 0\nview 0 0 0\npen down 260 215\nsave magnified\n";
  script += "pen move 262 217\npen up 270 224\nsave scripted\n";
  previews.push_back(Shown("scripted", *canvas_));
  zoom->setCurrentIndex(0);
  previews.push_back(Shown("scripted", *canvas_));
  zoom->setCurrentIndex(2);
  canvas_->horizontalScrollBar()->setValue(0);
  canvas_->verticalScrollBar()->setValue(0);
  QVERIFY(window_->grab().save(STAMP_GUI_SCREENSHOT));

  const QString scriptPath = folder_.filePath("session.txt");
  QVERIFY(WriteAll(scriptPath, script.toUtf8()));
  QProcess host;
  host.start(STAMP_HOST_EXE, {"run", scriptPath, "--out", folder_.path(), "--profile",
                              folder_.filePath("scripted.ini"), "--canvas", "800x800", "--quiet"});
  QVERIFY(host.waitForFinished(120000));
  QVERIFY2(host.exitCode() == 0, host.readAllStandardError().constData());

  for (const ShownCanvas& shown : previews) {
    const QImage saved =
        QImage(folder_.filePath(shown.name + "-canvas.png")).convertToFormat(QImage::Format_RGB32);
    const Comparison result = Compare(shown, saved);
    QVERIFY2(result.compared > 0 && result.nonWhite > 0, qPrintable(shown.name));
    QVERIFY2(result.mismatched == 0, qPrintable(shown.name));
  }
  const QImage savedPanel = QImage(folder_.filePath("scripted-panel.bmp"))
                                .copy(0, STAMP_PANEL_TOP_ROW, STAMP_PANEL_WIDTH, 120);
  QCOMPARE(Pixels(panel->image()), Pixels(savedPanel));

  QByteArray steps = ReadAll(recorded);
  QVERIFY2(steps.contains("\ndialog type ") && steps.contains("\ndialog ok\n"), steps.constData());
  QVERIFY(WriteAll(recorded, steps + "save replayed\n"));
  QVERIFY(QFile::copy(folder_.filePath("recorded-settings.ini"), folder_.filePath("replay.ini")));
  host.start(STAMP_HOST_EXE, {"run", recorded, "--out", folder_.path(), "--profile",
                              folder_.filePath("replay.ini"), "--canvas", "800x800", "--quiet"});
  QVERIFY(host.waitForFinished(120000));
  QVERIFY2(host.exitCode() == 0, host.readAllStandardError().constData());
  for (const char* buffer : {"layer0", "layer1", "layer2", "undo", "stamp", "panel"}) {
    QVERIFY2(ReadAll(folder_.filePath(QString("replayed-%1.bmp").arg(buffer))) ==
                 ReadAll(folder_.filePath(QString("scripted-%1.bmp").arg(buffer))),
             buffer);
  }
  // Another recording asks about the unsaved strokes first; Cancel keeps them, and this one.
  const QString again = folder_.filePath("again.txt");
  QVERIFY(Answering({"Cancel"}, [&] { window_->StartRecording(FilePath(again)); }));
  QVERIFY(window_->work().unsaved() && !QFile::exists(again));
  QCOMPARE(window_->work().document().recording(), FilePath(recorded));
}

// The load dialog's File button: the picker gets the request's filters and default extension,
// and the file chosen there reaches the path box in the platform's backslash form.
void StampWindowTest::fileButtonAsksThePickerWithTheRequest() {
  QVERIFY(Open());
  const fs::path chosen = kHostFolder / STAMP_SHEET_FOLDER / "shapes.bmp";
  QStringList filters;
  QString suffix;
  QString pathBox;
  InLoadDialog([&](QDialog& dialog) {
    QTimer::singleShot(0, [&] {
      auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (picker == nullptr) return;
      filters = picker->nameFilters();
      suffix = picker->defaultSuffix();
      picker->selectFile(QString::fromStdString(chosen.string()));
      static_cast<QDialog*>(picker)->accept();  // QFileDialog::accept, which checks the file
    });
    Click(dialog, STAMP_LOAD_DIALOG_FILE_BUTTON);
    pathBox = ControlOf<QLineEdit>(dialog, STAMP_LOAD_DIALOG_PATH_BOX)->text();
    Click(dialog, PLAT_IDCANCEL);
  });
  QCOMPARE(filters, QStringList({"Bmp Files (*.bmp)", "All Files (*)"}));
  QCOMPARE(suffix, QString("BMP"));
  QCOMPARE(pathBox.toStdU16String(), platform::FromFileSystemPath(chosen.string()));
}

// Ctrl+plus and Ctrl+minus step one zoom at a time and stop at 8:1 and 1:4, the chooser
// following; Ctrl+wheel zooms about the pointer, which stays over the same canvas pixel.
void StampWindowTest::zoomKeysAndWheelStepThroughEveryZoom() {
  QVERIFY(Open());
  auto* chooser = window_->findChild<QComboBox*>("zoom");
  const int steps = ViewMapping::kMaxZoom - ViewMapping::kMinZoom + 1;
  for (int step = 1; step <= steps; ++step) {
    QTest::keyClick(window_.get(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(canvas_->zoom(), std::min(step, ViewMapping::kMaxZoom));
  }
  QCOMPARE(chooser->currentText(), QString("8:1"));
  for (int step = 1; step <= steps; ++step) {
    QTest::keyClick(window_.get(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(canvas_->zoom(), std::max(ViewMapping::kMaxZoom - step, ViewMapping::kMinZoom));
  }
  QCOMPARE(chooser->currentText(), QString("1:4"));

  chooser->setCurrentIndex(-ViewMapping::kMinZoom);
  canvas_->horizontalScrollBar()->setValue(0);
  canvas_->verticalScrollBar()->setValue(0);
  const QPoint pointer(130, 90);
  const QPoint under = canvas_->mapping().CanvasPoint(pointer);
  QWheelEvent wheel(pointer, canvas_->viewport()->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas_->viewport(), &wheel);
  QCOMPARE(canvas_->zoom(), 1);
  QCOMPARE(canvas_->mapping().CanvasPoint(pointer), under);
}

// A dialog opened mid-stroke takes the pointer and the canvas never sees the release: the
// stroke lands where the pen last was, as a release there would, and no preview stays behind.
void StampWindowTest::aStrokeCutShortByADialogLandsWhereThePenWas() {
  QVERIFY(Open());
  QWidget* view = canvas_->viewport();
  const QByteArray blank = Layers(*window_);
  QTest::mousePress(view, Qt::LeftButton, {}, {40, 40});
  DragTo(view, {100, 120});
  QEvent deactivate(QEvent::WindowDeactivate);
  QApplication::sendEvent(window_.get(), &deactivate);
  const host::HostRecord& record = window_->work().session().record();
  const uint8_t* overlay = record.buffer(STAMP_REC_OVERLAY_BUFFER);
  QVERIFY(std::all_of(overlay, overlay + record.canvasBytes(), [](uint8_t b) { return b == 255; }));
  const QByteArray cut = Layers(*window_);
  QVERIFY(cut != blank);
  QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::mousePress(view, Qt::LeftButton, {}, {40, 40});
  DragTo(view, {100, 120});
  QTest::mouseRelease(view, Qt::LeftButton, {}, {100, 120});
  QVERIFY(Layers(*window_) == cut);
}

// A first start stamps at once with the sample sheet. A hundred strokes and one are kept in a
// few megabytes; a hundred undos go back to the first stroke, and redo (both keys) to the last.
void StampWindowTest::historyTakesBackAndRedoesAHundredStrokes() {
  QVERIFY(Open());
  QVERIFY(window_->statusBar()->currentMessage().contains("pick another sheet"));
  const QByteArray blank = Layers(*window_);
  constexpr int kStrokes = 101;
  std::map<int, QByteArray> after;
  for (int i = 0; i < kStrokes; ++i) {
    Stamp(canvas_, {20 + (i % 10) * 40, 20 + (i / 10) * 40});
    if (i == 0 || i == 50 || i == kStrokes - 1) after[i] = Layers(*window_);
  }
  QVERIFY(after[0] != blank);
  QCOMPARE(window_->work().history().undoSteps(), size_t{kStrokes});
  QVERIFY(window_->work().history().bytes() < (size_t{4} << 20));
  const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, int times) {
    for (int i = 0; i < times; ++i) QTest::keyClick(window_.get(), key, modifiers);
  };
  press(Qt::Key_Z, Qt::ControlModifier, 50);
  QVERIFY(Layers(*window_) == after[50]);
  press(Qt::Key_Z, Qt::ControlModifier, 50);
  QVERIFY(Layers(*window_) == after[0]);
  press(Qt::Key_Z, Qt::ControlModifier, 1);
  QVERIFY(Layers(*window_) == blank);
  QImage white(kCanvasSide, kCanvasSide, QImage::Format_RGB32);
  white.fill(Qt::white);
  const Comparison undone = Compare(Shown("undone", *canvas_), white);
  QVERIFY(undone.compared > 0);
  QCOMPARE(undone.mismatched, 0);
  press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 51);
  QVERIFY(Layers(*window_) == after[50]);
  press(Qt::Key_Y, Qt::ControlModifier, 50);
  QVERIFY(Layers(*window_) == after[kStrokes - 1]);
}

// Cancel keeps the window; Discard before New canvas clears it; Save before closing writes the
// layers to the work's file.
void StampWindowTest::unsavedWorkIsAskedAboutBeforeItIsDropped() {
  QVERIFY(Open());
  const QByteArray blank = Layers(*window_);
  Stamp(canvas_, {100, 100});
  QVERIFY(window_->work().unsaved());
  bool closed = true;
  QVERIFY(Answering({"Cancel"}, [&] { closed = window_->close(); }) && !closed);
  QVERIFY(Reactivated());
  AnswerCanvasSize({kCanvasSide, kCanvasSide});
  QVERIFY(Answering({"Discard"},
                    [&] { QTest::keyClick(window_.get(), Qt::Key_N, Qt::ControlModifier); }));
  QVERIFY(Layers(*window_) == blank && !window_->work().unsaved());

  const QString path = folder_.filePath("unsaved.ora");
  QVERIFY(window_->SaveWorkTo(path));
  Stamp(canvas_, {200, 200});
  const QByteArray stamped = Layers(*window_);
  QVERIFY(Answering({"Save"}, [&] { closed = window_->close(); }) && closed);
  QVERIFY(ReadLayers(path.toStdString()) == stamped);
}

// A picture goes into layer 0, placed at the top-left or setting the canvas's size; the work
// saved opens again at its own size. A canvas of the picture's size whose record cannot be had
// (its memory refused): the message comes once the old canvas is back with the drawing it held,
// which the window still shows and stamps.
void StampWindowTest::workAndPicturesOpenIntoTheLayers() {
  const QString work = OpenWithSavedStroke("files");
  QVERIFY(!work.isEmpty());
  const QByteArray saved = Layers(*window_);

  const QString picturePath = folder_.filePath("picture.png");
  QVERIFY(SavePicture(picturePath, {60, 40}));
  QVERIFY(Answering({"Place at the top-left"}, [&] { window_->OpenPictureFrom(picturePath); }));
  const QImage shown = Painted(*canvas_);
  QCOMPARE(shown.pixel(59, 39), kPictureGreen);
  QCOMPARE(shown.pixel(60, 40), qRgb(255, 255, 255));
  QCOMPARE(shown.pixel(50, 50), qRgb(255, 255, 255));  // the stroke in layer 0 was replaced

  window_->OpenWorkFrom(work);
  QVERIFY(Layers(*window_) == saved && !window_->work().unsaved());
  QVERIFY(Answering({"Resize the canvas"}, [&] { window_->OpenPictureFrom(picturePath); }));
  QCOMPARE(CanvasSize(), QSize(60, 40));
  QVERIFY(window_->work().path().isEmpty());  // Save must not write the new drawing over the old
  QCOMPARE(Painted(*canvas_).pixel(59, 39), kPictureGreen);
  window_->OpenWorkFrom(work);
  QCOMPARE(CanvasSize(), QSize(kSmallSide, kSmallSide));
  QVERIFY(Layers(*window_) == saved);

  Stamp(canvas_, {50, 50});
  const QByteArray drawing = Layers(*window_);
  plat_fault_inject(PLAT_FAULT_ALLOC_LOW, 0);
  const QString wrong =
      AnswerExpecting({"Resize the canvas", "Discard", "OK"},
                      [&] { window_->OpenPictureFrom(picturePath); }, {"cannot be 60x40"});
  QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
  QCOMPARE(CanvasSize(), QSize(kSmallSide, kSmallSide));
  QVERIFY(Layers(*window_) == drawing && window_->work().unsaved());
  QCOMPARE(Painted(*canvas_).pixel(150, 150), qRgb(255, 255, 255));
  Stamp(canvas_, {150, 150});
  QVERIFY(Painted(*canvas_).pixel(150, 150) != qRgb(255, 255, 255));
}

// A file handed from outside opens as the File menu would, by its kind: a drawing replaces the
// work once the unsaved changes are asked about, a picture goes into layer 0 as a step that can
// be undone, and a file of neither kind, or one that is gone, is a message and changes nothing.
void StampWindowTest::filesFromOutsideOpenByTheirKind() {
  const QString drawing = OpenWithSavedStroke("outside");
  QVERIFY(!drawing.isEmpty());
  const QByteArray saved = Layers(*window_);
  const QString picturePath = folder_.filePath("outside.PNG");
  QVERIFY(SavePicture(picturePath, {kSmallSide, kSmallSide}) &&
          WriteAll(folder_.filePath("outside.txt"), "text"));
  const auto isPicture = [&](const QByteArray&) {
    return Painted(*canvas_).pixel(10, 190) == kPictureGreen;
  };
  const auto isSaved = [&](const QByteArray&) { return Layers(*window_) == saved; };
  const auto isUnchanged = [&](const QByteArray& before) { return Layers(*window_) == before; };
  struct Outside {
    const char* name;
    QString path;
    QStringList answers;
    const char* told;
    std::function<bool(const QByteArray& before)> holds;
  };
  const Outside cases[] = {
      {"a drawing over unsaved changes", drawing, {"Discard"}, "not saved", isSaved},
      {"a picture", picturePath, {}, "", isPicture},
      {"a text file", folder_.filePath("outside.txt"), {"OK"}, "neither a drawing", isUnchanged},
      {"a drawing that is gone",
       folder_.filePath("gone.ora"),
       {"Discard", "OK"},
       "cannot be opened",
       isUnchanged},
  };
  struct Route {
    const char* name;
    std::function<void(const QString&)> open;
  };
  const Route routes[] = {
      {"given", [&](const QString& path) { window_->OpenFile(path); }},
      {"dropped", [&](const QString& path) { DragOnto(*window_, FileData({path}), true); }},
  };
  for (const Route& route : routes) {
    for (const Outside& outside : cases) {
      const QString name = QString("%1 %2").arg(outside.name, route.name);
      Stamp(canvas_, {150, 150});
      const QByteArray before = Layers(*window_);
      const QString wrong =
          AnswerExpecting(outside.answers, [&] { route.open(outside.path); }, {outside.told});
      QVERIFY2(wrong.isEmpty(), qPrintable(name + ": " + wrong));
      QVERIFY2(outside.holds(before), qPrintable(name));
    }
  }
  QVERIFY(!DragOnto(*window_, FileData({drawing, picturePath}), false));
  QVERIFY(!DragOnto(*window_, FileData({}), false));
}

// File > Open recent lists the last ten drawings and pictures opened or saved, newest first; a
// file chosen there comes first again, and one that is gone is taken off with a message. A list
// read from the settings is capped and cleaned as well.
void StampWindowTest::recentFilesKeepTheLastTen() {
  WindowSettings().remove("recent/files");
  QVERIFY(Open(kSmallSide));
  QStringList saved;
  for (int i = 0; i < kMaxRecentFiles + 2; ++i) {
    saved.prepend(folder_.filePath(QString("recent-%1.ora").arg(i)));
    QVERIFY(window_->SaveWorkTo(saved.front()));
  }
  QCOMPARE(RecentFiles(), saved.mid(0, kMaxRecentFiles));
  auto* menu = window_->findChild<QMenu*>("recent");
  const auto item = [&](int index) {
    emit menu->aboutToShow();
    return menu->actions().value(index);
  };
  QVERIFY(item(0)->text().endsWith(saved[0]) && menu->actions().size() == kMaxRecentFiles);
  QVERIFY(QFile::remove(saved[0]));
  const QString wrong = AnswerExpecting({"OK"}, [&] { item(0)->trigger(); }, {"no longer there"});
  QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
  QCOMPARE(RecentFiles(), saved.mid(1, kMaxRecentFiles - 1));
  item(4)->trigger();
  QCOMPARE(RecentFiles().front(), saved[5]);
  QVERIFY(window_->windowTitle().startsWith("recent-") && !window_->work().unsaved());
  // Settings written elsewhere: a folder, a relative name and 10,000 repeats are read as ten
  // files (a missing one kept) and one message.
  QStringList stored{folder_.path(), "relative.ora"};
  for (int i = 0; i < 10000; ++i) stored.append(saved[i % saved.size()]);
  WindowSettings().setValue("recent/files", stored);
  QCOMPARE(item(kMaxRecentFiles)->text(),
           QString("%1 entries beyond the last 10 files, or not files, were dropped")
               .arg(stored.size() - kMaxRecentFiles));
  QCOMPARE(menu->actions().size(), kMaxRecentFiles + 1);
  QCOMPARE(RecentFiles(), saved.mid(0, kMaxRecentFiles));
}

// stamp-host gui FILE opens the drawing: it is the first of the recent files while the window
// runs. SIGTERM, as a desktop session sends at log-out, closes the window: the tool shuts down
// and writes its settings (the size is written only then) beside the sample sheet of a first
// start. A program whose event loop is held still ends, within the signals' grace time.
void StampWindowTest::theCommandLineOpensADrawingAndASignalEndsIt() {
  WindowSettings().remove("recent/files");
  const QString drawing = folder_.filePath("given.ora");
  QVERIFY(!WriteDrawing(drawing.toStdString(), 120, 77).isEmpty());
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("XDG_STATE_HOME", folder_.filePath("signal-state"));
  QProcess host;
  host.setProcessEnvironment(environment);
  const QString profile = folder_.filePath("ended.ini");
  host.start(STAMP_HOST_EXE, {"gui", "--profile", profile, "--canvas", "200x200", drawing});
  QVERIFY(host.waitForStarted());
  const QString lock =
      folder_.filePath(QString("signal-state/stamp-host/autosave-%1.lock").arg(host.processId()));
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 60000);
  QTRY_COMPARE_WITH_TIMEOUT(RecentFiles().value(0), drawing, 60000);
  host.terminate();
  QVERIFY(host.waitForFinished(60000));
  QCOMPARE(host.exitStatus(), QProcess::NormalExit);
  QCOMPARE(host.exitCode(), 0);
  const QByteArray settings = ReadAll(profile);
  QVERIFY2(settings.contains("shrink=30") && settings.contains("nature.bmp"), settings.constData());
  QVERIFY(!QFile::exists(lock));

  QProcess busy;
  QByteArray why;
  QVERIFY2(StartChild(busy, environment, {kBusyChildVariable, "1"}, kReadyLine, why), why);
  QElapsedTimer sinceSignal;
  sinceSignal.start();
  busy.terminate();
  QVERIFY(busy.waitForFinished(60000));
  QCOMPARE(busy.exitCode(), 128 + SIGTERM);
  QVERIFY(sinceSignal.elapsed() < 3 * std::chrono::milliseconds(QuitSignals::kGrace).count());
}

// Two windows started at once lay the samples into one sheet folder, a fresh one and one holding
// an old install's dangling links: neither says it could not link a sample, and every sample is
// listed. (Run by hand for 20 rounds; a few here.)
void StampWindowTest::twoWindowsStartedTogetherBothListEverySample() {
  constexpr int kRounds = 4;
  const fs::path samples = kHostFolder / STAMP_SHEET_FOLDER;
  for (int round = 0; round < kRounds; ++round) {
    const QString base = folder_.filePath(QString("together-%1").arg(round));
    const fs::path sheets = fs::path(base.toStdString()) / "data/stamp-host" / STAMP_SHEET_FOLDER;
    fs::create_directories(sheets);
    if (round % 2 == 1) {
      for (const auto& sample : fs::directory_iterator(samples)) {
        fs::create_symlink(base.toStdString() + "/old-install", sheets / sample.path().filename());
      }
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    for (const char* kind : {"DATA", "STATE", "CONFIG"}) {
      environment.insert(QString("XDG_%1_HOME").arg(kind), base + "/" + QString(kind).toLower());
    }
    QProcess windows[2];
    for (QProcess& window : windows) {
      window.setProcessEnvironment(environment);
      window.start(STAMP_HOST_EXE, {"gui", "--profile", base + "/p.ini", "--canvas", "200x200"});
    }
    for (QProcess& window : windows) {
      QVERIFY(window.waitForStarted());
      const QString lock =
          base + QString("/state/stamp-host/autosave-%1.lock").arg(window.processId());
      QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 60000);
    }
    for (QProcess& window : windows) {
      window.terminate();
      QVERIFY(window.waitForFinished(60000));
      const QByteArray said = window.readAllStandardError();
      QVERIFY2(!said.contains("cannot link"), said.constData());
    }
    for (const auto& sample : fs::directory_iterator(samples)) {
      const fs::path listed = sheets / sample.path().filename();
      QVERIFY2(fs::is_symlink(listed) && fs::equivalent(listed, sample.path()), listed.c_str());
    }
  }
}

// A picture whose size a canvas can hold opens as it does in the sheet maker, also one that
// needs more than Qt's own allocation limit (8200 x 8200 at 4 bytes a pixel is 269 MB).
void StampWindowTest::aPictureTheSheetMakerTakesOpens() {
  constexpr int32_t kSide = 8200;
  const std::string path = folder_.filePath("large.png").toStdString();
  const host::RowPicture grey{kSide, kSide, host::ChannelOrder::kRgb,
                              [](int32_t, uint8_t* row) { std::fill_n(row, kSide * 3, 0x80); }};
  QCOMPARE(host::WritePng(path, grey).error(), std::string());
  const PictureFile file = ReadPictureFile(QString::fromStdString(path));
  QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
  QCOMPARE(file.image.size(), QSize(kSide, kSide));
}

// New canvas asks the size first: one the record can hold starts white layers of that size and
// is offered the next time; one it cannot hold keeps OK disabled, saying why, and changes nothing.
void StampWindowTest::newCanvasAsksTheSize() {
  // A size whose record needs more than half the machine's memory is asked about, naming it.
  constexpr uint64_t kGiB = uint64_t{1} << 30;
  struct MemoryCase {
    int32_t side;
    uint64_t memory;
    QString question;
  };
  for (const MemoryCase& c : {
           MemoryCase{200, kGiB, {}},
           MemoryCase{8000, kGiB,
                      "A canvas of 8000x8000 needs 1464 MB of memory, more than half of this "
                      "machine's 1024 MB. Make it anyway?"},
           MemoryCase{8000, 4 * kGiB, {}},
           MemoryCase{8000, 0, {}},
       }) {
    QCOMPARE(LargeCanvasQuestion(c.side, c.side, c.memory), c.question);
  }
  WindowSettings().remove("canvas/size");
  QVERIFY(Open(kSmallSide));
  struct SizeCase {
    const char* name;
    QSize entered;
    QSize offered;
    bool accepted;
  };
  const SizeCase cases[] = {
      {"a smaller canvas", {120, 90}, {kSmallSide, kSmallSide}, true},
      {"one too large for the record", {100000, 100000}, {120, 90}, false},
      {"a wide one, after the size last chosen", {640, 100}, {120, 90}, true},
  };
  for (const SizeCase& size : cases) {
    QVERIFY(Reactivated());
    Stamp(canvas_, {20, 20});
    const QByteArray before = Layers(*window_);
    const QSize wasSize = CanvasSize();
    SizeAsked asked;
    AnswerCanvasSize(size.entered, &asked);
    const bool answered = Answering(size.accepted ? QStringList{"Discard"} : QStringList{}, [&] {
      QTest::keyClick(window_.get(), Qt::Key_N, Qt::ControlModifier);
    });
    QVERIFY2(answered, size.name);
    QCOMPARE(asked.offered, size.offered);
    QCOMPARE(asked.okEnabled, size.accepted);
    QVERIFY2(size.accepted == asked.problem.isEmpty(), qPrintable(asked.problem));
    QCOMPARE(CanvasSize(), size.accepted ? size.entered : wasSize);
    const QByteArray layers = Layers(*window_);
    QVERIFY2(size.accepted ? layers.count('\xff') == layers.size() && !window_->work().unsaved()
                           : layers == before,
             size.name);
  }
}

// The busy child of theCommandLineOpensADrawingAndASignalEndsIt: listens for the signals, then
// holds its event loop far longer than their grace time.
int RunBusyChild() {
  QuitSignals endSignals;
  endSignals.Listen();
  std::printf("%s\n", kReadyLine);
  std::fflush(stdout);
  std::this_thread::sleep_for(20 * QuitSignals::kGrace);
  return 0;
}

// A child window stamps until its autosave is written, notes the layers then, stamps once more
// and is killed; the next window recovers every stroke of the autosave.
void StampWindowTest::aKilledWindowsAutosaveIsRecovered() {
  QProcess child;
  QByteArray why;
  QVERIFY2(StartChild(child, QProcessEnvironment::systemEnvironment(),
                      {kChildVariable, folder_.path()}, kReadyLine, why),
           why);
  child.kill();
  QVERIFY(child.waitForFinished(60000));
  const QByteArray autosaved = ReadAll(folder_.filePath("autosaved.bin"));
  QVERIFY(!autosaved.isEmpty());

  bool opened = false;
  QVERIFY(Answering({"Recover"}, [&] { opened = Open(kSmallSide); }));
  QVERIFY(opened);
  QVERIFY(Layers(*window_) == autosaved);
  QVERIFY(window_->work().unsaved());
}

// Files that would freeze the window, or open as something they do not hold: each is refused at
// once with a message naming what is wrong, and the drawing stays as it was.
void StampWindowTest::hostileFilesAreRefusedWithAMessage() {
  const QString work = OpenWithSavedStroke("hostile");
  QVERIFY(!work.isEmpty());
  const QByteArray drawing = Layers(*window_);

  QImage noise(300, 200, QImage::Format_RGB888);
  for (int y = 0; y < noise.height(); ++y) {
    for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, qRgb(x * 7, y * 13, x ^ y));
  }
  const auto cut = [&](const char* name, const char* format, qsizetype keep) {
    const QString path = folder_.filePath(name);
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    noise.save(&whole, format);
    WriteAll(path, whole.data().left(keep < 0 ? whole.data().size() + keep : keep));
    return path;
  };
  constexpr qsizetype kBmpHeaders = 54;
  const QString fifo = folder_.filePath("hostile.fifo");
  QVERIFY(mkfifo(fifo.toLocal8Bit().constData(), 0600) == 0);
  QByteArray damagedWork = ReadAll(work);  // a byte of layer 0's data changed
  const qsizetype layerData = damagedWork.indexOf(ora::LayerEntryName(0).c_str()) + 100;
  damagedWork[layerData] = static_cast<char>(damagedWork[layerData] ^ 1);
  QVERIFY(WriteAll(folder_.filePath("damaged.ora"), damagedWork));
  QVERIFY(WriteAll(folder_.filePath("not.ora"), "not a zip"));
  struct Hostile {
    const char* name;
    QString path;
    void (StampWindow::*open)(const QString&);  // as layered work, or as a picture into layer 0
    const char* reason;
  };
  const auto asPicture = &StampWindow::OpenPictureFrom;
  const auto asWork = &StampWindow::OpenWorkFrom;
  const Hostile cases[] = {
      {"FIFO as a picture", fifo, asPicture, "is a FIFO"},
      {"FIFO as work", fifo, asWork, "is a FIFO"},
      {"folder as a picture", folder_.path(), asPicture, "is a folder"},
      {"BMP cut after 1,000 bytes of pixels", cut("cut.bmp", "BMP", kBmpHeaders + 1000), asPicture,
       "cut.bmp cannot be read"},
      {"PNG cut after 60 bytes", cut("damaged.png", "PNG", 60), asPicture,
       "damaged.png cannot be read"},
      {"truncated JPEG", cut("cut.jpg", "JPEG", -500), asPicture, "truncated"},
      {"truncated PNG", cut("cut.png", "PNG", -500), asPicture, "truncated"},
      {"work with a damaged byte", folder_.filePath("damaged.ora"), asWork, "damaged"},
      {"work that is no archive", folder_.filePath("not.ora"), asWork, "Not a zip archive"},
  };
  for (const Hostile& hostile : cases) {
    const QString wrong = AnswerExpecting(
        {"OK"}, [&] { (window_.get()->*hostile.open)(hostile.path); }, {hostile.reason});
    QVERIFY2(wrong.isEmpty(), qPrintable(hostile.name + (": " + wrong)));
    QVERIFY2(Layers(*window_) == drawing, hostile.name);
  }
}

// The state folder as windows that crashed, were killed or shared a process id leave it, and as a
// user or another program may have changed it: every drawing left is offered (what cannot be is
// told), nothing unoffered goes, and what killed windows left behind is cleaned up.
void StampWindowTest::everyLeftDrawingIsOfferedAndTheFolderKeptClean() {
  const fs::path state = folder_.filePath("state/stamp-host").toStdString();
  const std::string own = "autosave-" + std::to_string(QCoreApplication::applicationPid());
  const std::string ended = std::to_string(EndedProcessId());
  const auto plant = [&](const std::string& name, int agoSeconds) {
    WriteDrawing(state / name, kSmallSide, 90);
    fs::last_write_time(state / name,
                        fs::file_time_type::clock::now() - std::chrono::seconds(agoSeconds));
  };
  const QByteArray planted =
      WriteDrawing(folder_.filePath("planted.ora").toStdString(), kSmallSide, 90);
  struct FolderCase {
    const char* name;
    std::function<void()> make;
    QStringList answers;
    QStringList told;  // each in one of the boxes shown
    std::vector<std::string> kept;
    std::vector<std::string> gone;
  };
  const FolderCase cases[] = {
      {"an autosave under this window's process id",
       [&] { plant(own + ".ora", 60); },
       {"Later"},
       {QString::fromStdString(own + ".ora")},
       {own + ".ora"},
       {}},
      {"two autosaves without locks",
       [&] {
         plant("autosave-a.ora", 60);
         plant("autosave-b.ora", 120);
       },
       {"Later", "Later"},
       {"autosave-a.ora", "autosave-b.ora"},
       {"autosave-a.ora", "autosave-b.ora"},
       {"autosave-a.lock", "autosave-b.lock"}},
      {"lock as a link",
       [&] {
         plant("autosave-link.ora", 60);
         fs::create_symlink(state / "planted", state / "autosave-link.lock");
       },
       {"OK", "Later"},
       {"autosave-link.lock is a link", "autosave-link.ora"},
       {"autosave-link.ora"},
       {"planted"}},
      {"lock as a folder",
       [&] {
         plant("autosave-dir.ora", 60);
         fs::create_directory(state / "autosave-dir.lock");
       },
       {"OK", "Later"},
       {"autosave-dir.lock is a folder", "autosave-dir.ora"},
       {"autosave-dir.ora"},
       {}},
      {"folder as the newest",
       [&] {
         plant("autosave-old.ora", 3600);
         fs::create_directory(state / "autosave-new.ora");
       },
       {"OK", "Recover"},
       {"autosave-new.ora is a folder", "autosave-old.ora"},
       {},
       {"autosave-old.ora"}},
      {"damaged file as the newest",
       [&] {
         plant("autosave-old.ora", 3600);
         test::WriteFile(state / "autosave-new.ora", "damaged");
       },
       {"OK", "Recover"},
       {"autosave-new.ora cannot be read", "autosave-old.ora"},
       {"autosave-new.ora"},
       {"autosave-old.ora"}},
      {"leftovers of killed writes",
       [&] {
         test::WriteFile(state / ("autosave-" + ended + ".lock"), "");
         plant("autosave-" + ended + ".ora.tmp-" + ended + "-0123456789abcdef", 60);
         test::WriteFile(state / ("autosave-x.ora.tmp-" + ended + "-fedcba9876543210"), "part");
       },
       {"Discard"},
       {QString::fromStdString("autosave-" + ended + ".ora.tmp-")},
       {},
       {"autosave-" + ended + ".lock",
        "autosave-" + ended + ".ora.tmp-" + ended + "-0123456789abcdef",
        "autosave-x.ora.tmp-" + ended + "-fedcba9876543210"}},
      {"read-only folder",
       [&] {
         plant("autosave-ro.ora", 60);
         fs::permissions(state, fs::perms::owner_read | fs::perms::owner_exec);
       },
       {"Recover", "OK"},
       {"autosave-ro.ora", "autosaves go to"},
       {"autosave-ro.ora"},
       {}},
  };
  for (const FolderCase& edge : cases) {
    if (geteuid() == 0 && std::string_view(edge.name) == "read-only folder") continue;
    fs::create_directories(state);
    edge.make();
    bool opened = false;
    const QString wrong = AnswerExpecting(
        edge.answers, [&] { opened = Open(kSmallSide); }, edge.told);
    QVERIFY2(wrong.isEmpty(), qPrintable(edge.name + (": " + wrong)));
    QVERIFY(opened);
    const bool recovered = edge.answers.contains("Recover");
    QVERIFY2(recovered == (Layers(*window_) == planted), edge.name);
    for (const std::string& name : edge.kept) QVERIFY2(fs::exists(state / name), edge.name);
    for (const std::string& name : edge.gone) {
      QVERIFY2(!fs::exists(fs::symlink_status(state / name)), (edge.name + (": " + name)).c_str());
    }
    window_.reset();
    fs::permissions(state, fs::perms::owner_all);
    fs::remove_all(state);
    cleanup();
  }
}

// After Recover, a window killed at any moment leaves the recovered drawing on disk: the file it
// came from, or the new window's autosave of it.
void StampWindowTest::aRecoveredDrawingSurvivesAKillAtAnyMoment() {
  for (const int delay : {0, 5, 20, 80, 300, 1500}) {
    QTemporaryDir state;
    const fs::path folder = fs::path(state.path().toStdString()) / "stamp-host";
    fs::create_directories(folder);
    const QByteArray drawing = WriteDrawing(folder / "autosave-left.ora", kSmallSide, 60);
    QVERIFY(!drawing.isEmpty());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_STATE_HOME", state.path());
    QProcess child;
    QByteArray why;
    QVERIFY2(StartChild(child, environment, {kRecoveringChildVariable, folder_.path()},
                        kAnsweredLine, why),
             why);
    QThread::msleep(static_cast<unsigned long>(delay));
    child.kill();
    QVERIFY(child.waitForFinished(60000));
    QVERIFY2(FolderHolds(folder, drawing),
             qPrintable(QString("killed %1 ms after Recover").arg(delay)));
  }
}

// Stamp > New sheet from pictures: two pictures and a name make the user's sheet, which the tool
// loads at once and its load dialog lists beside the samples; the same name again is asked about
// first, and a No keeps the sheet and the dialog as they were.
void StampWindowTest::aSheetFromPicturesIsSavedLoadedAndListed() {
  qputenv("XDG_DATA_HOME", folder_.filePath("data").toUtf8());
  const fs::path sheet = folder_.filePath("data/stamp-host/stamp/mine.bmp").toStdString();
  QImage red(40, 20, QImage::Format_RGB888);
  red.fill(Qt::red);
  QImage blue(30, 30, QImage::Format_RGB888);
  blue.fill(Qt::blue);
  const QStringList pictures = {folder_.filePath("red.png"), folder_.filePath("blue.bmp")};
  QVERIFY(red.save(pictures[0]) && blue.save(pictures[1]));
  QVERIFY(Open());
  QAction* newSheet = nullptr;
  for (QAction* action : window_->findChildren<QAction*>()) {
    if (action->text() == "New sheet from &pictures...") newSheet = action;
  }
  QVERIFY(newSheet != nullptr);
  const auto fill = [](QDialog& dialog, const QStringList& chosen) {
    qobject_cast<NewSheetDialog*>(&dialog)->AddPictures(chosen);
    dialog.findChild<QLineEdit*>("name")->setText("mine");
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
  };

  bool previewed = false;
  WhenDialogShows([&](QDialog& dialog) {
    QPushButton* save = fill(dialog, pictures);
    previewed = !dialog.findChild<QLabel*>("preview")->pixmap().isNull();
    save->click();
  });
  newSheet->trigger();
  QVERIFY(previewed);
  QVERIFY(fs::is_regular_file(sheet));
  // Cell 1 of the tool's panel (panel point 140, 10 and on) is the blue picture, cell 2 white.
  const host::RasterView panel = window_->work().session().record().raster(STAMP_REC_PANEL_BUFFER);
  QCOMPARE(QByteArray(reinterpret_cast<const char*>(panel.pixel(155, 755)), 3),
           QByteArray("\xFF\x00\x00", 3));
  QCOMPARE(QByteArray(reinterpret_cast<const char*>(panel.pixel(185, 755)), 3),
           QByteArray("\xFF\xFF\xFF", 3));

  QStringList listed;
  InLoadDialog([&](QDialog& dialog) {
    auto* list = ControlOf<QListWidget>(dialog, STAMP_LOAD_DIALOG_LIST);
    for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
    Click(dialog, PLAT_IDCANCEL);
  });
  QVERIFY2(listed.contains("mine.bmp") && listed.contains("nature.bmp"),
           qPrintable(listed.join(", ")));

  const std::string before = test::ReadFile(sheet);
  QStringList asked;
  bool stayed = false;
  WhenDialogShows([&](QDialog& dialog) {
    QPushButton* save = fill(dialog, {pictures[1]});
    Answering(
        {"No"}, [save] { save->click(); }, &asked);
    stayed = dialog.isVisible();
    dialog.reject();
  });
  newSheet->trigger();
  QCOMPARE(asked, QStringList{"A sheet named mine.bmp exists. Replace it?"});
  QVERIFY(stayed);
  QCOMPARE(test::ReadFile(sheet), before);
  plat_set_program_path(STAMP_HOST_EXE);
  qunsetenv("XDG_DATA_HOME");
}

// The child of aRecoveredDrawingSurvivesAKillAtAnyMoment: recovers what its state folder holds,
// saying so as it presses Recover, and runs until killed.
int RunRecoveringChild(const QString& folder) {
  plat_set_program_path(STAMP_HOST_EXE);
  std::unique_ptr<StampWindow> window;
  const bool answered = Answering(
      {"Recover"},
      [&] {
        window = std::make_unique<StampWindow>(host::SessionOptions{
            kSmallSide, kSmallSide, (folder + "/recovering.ini").toStdString(), kHostFolder});
      },
      nullptr,
      [] {
        std::printf("%s\n", kAnsweredLine);
        std::fflush(stdout);
      });
  if (!answered) return 1;
  window->show();
  return QApplication::exec();
}

// The child of aKilledWindowsAutosaveIsRecovered.
int RunKilledChild(const QString& folder) {
  plat_set_program_path(STAMP_HOST_EXE);
  StampWindow window({kSmallSide, kSmallSide, (folder + "/child.ini").toStdString(), kHostFolder});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  auto* canvas = window.findChild<CanvasView*>("canvas");
  QSignalSpy written(&window.work().autosave(), &Autosave::Written);
  for (int i = 0; i < Autosave::kStrokesPerSave; ++i) Stamp(canvas, {20 + 30 * i, 50});
  if (!written.wait(30000)) return 1;
  if (!WriteAll(folder + "/autosaved.bin", Layers(window))) return 1;
  Stamp(canvas, {100, 150});  // after the autosave: lost with the process
  std::printf("%s\n", kReadyLine);
  std::fflush(stdout);
  return QApplication::exec();
}

}  // namespace stamp::gui

namespace {

// The program's work, in the test or in one of its child windows.
int RunProgram(int argc, char** argv) {
  if (const QString child = qEnvironmentVariable(stamp::gui::kChildVariable); !child.isEmpty()) {
    return stamp::gui::RunKilledChild(child);
  }
  if (qEnvironmentVariableIsSet(stamp::gui::kBusyChildVariable)) return stamp::gui::RunBusyChild();
  if (const QString child = qEnvironmentVariable(stamp::gui::kRecoveringChildVariable);
      !child.isEmpty()) {
    return stamp::gui::RunRecoveringChild(child);
  }
  stamp::gui::StampWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace

// LeakSanitizer's own check at exit runs while Qt's threads wind down, and its tracer can crash
// stopping a thread that is ending. So the leaks are checked here, once the work is done and
// with the application and its threads still idle: every allocation of the tests is covered,
// and the check at exit is off after this one.
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const int status = RunProgram(argc, argv);
#ifdef STAMP_LEAK_CHECK
  __lsan_do_leak_check();
#endif
  return status;
}
#include "stamp_window_test.moc"
