// The window driven as a user drives it (the load dialog's widgets, clicks on the panel, keys,
// strokes on the canvas at several zooms and scroll positions, undo), compared with the same
// session run by stamp-host run from a script: every pixel the window paints must be the pixel
// of the scripted host's composite that its point names, and the panel the one it saves.
// Then the window as work is kept in it: the history, the question before unsaved work is
// dropped, the work's files, ending by a signal and recovering after a crash (a copy of this
// program, started as a child, is the window that gets killed).
#include <QApplication>
#include <QColorSpace>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "host/gui/canvas_view.h"
#include "host/gui/history.h"
#include "host/gui/panel_view.h"
#include "host/gui/stamp_window.h"
#include "host/gui/view_mapping.h"
#include "host/ora/ora_file.h"
#include "platform/testing/platform_testing.h"
#include "stamp/host_record.h"
#include "stamp/support/text_encoding.h"

namespace stamp::gui {
namespace {

namespace fs = std::filesystem;

constexpr int kCanvasSide = 800;
constexpr char kChildVariable[] = "STAMP_GUI_TEST_CHILD";
constexpr char kAnswersTimer[] = "answers";
const fs::path kHostFolder = fs::path(STAMP_HOST_EXE).parent_path();

QPoint OnPanel(int x, int y) { return {x * PanelView::kScale, y * PanelView::kScale}; }

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

void Click(QDialog& dialog, const char* control) {
  QTest::mouseClick(dialog.findChild<QPushButton*>(control), Qt::LeftButton);
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
// text (its '&' left out); true when a box came for every answer.
bool Answering(const QStringList& buttons, const std::function<void()>& action) {
  auto unanswered = std::make_shared<QStringList>(buttons);
  auto* timer = new QTimer(qApp);
  timer->setObjectName(kAnswersTimer);
  QObject::connect(timer, &QTimer::timeout, [timer, unanswered] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || box->property("answered").toBool()) return;
    box->setProperty("answered", true);
    for (QAbstractButton* button : box->buttons()) {
      if (button->text().remove('&') == unanswered->front())
        QTimer::singleShot(0, button, &QAbstractButton::click);
    }
    unanswered->pop_front();
    if (unanswered->isEmpty()) timer->deleteLater();
  });
  timer->start(10);
  action();
  return unanswered->isEmpty();
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
  const host::HostRecord& record = window.session().record();
  QByteArray bytes;
  for (int layer = 0; layer < 3; ++layer) {
    bytes.append(reinterpret_cast<const char*>(record.buffer(host::LayerField(layer))),
                 static_cast<qsizetype>(record.canvasBytes()));
  }
  return bytes;
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
  void aSignalEndsTheWindowAsAClose();
  void aKilledWindowsAutosaveIsRecovered();
  void cleanup();

 private:
  std::unique_ptr<StampWindow> OpenWindow(const QString& profile, int side = kCanvasSide);

  QTemporaryDir folder_;
};

void StampWindowTest::initTestCase() {
  QVERIFY(folder_.isValid());
  // Closing a window in a test must not end the application's event loops.
  QApplication::setQuitOnLastWindowClosed(false);
  qputenv("XDG_STATE_HOME", folder_.filePath("state").toUtf8());
  // The load dialog lists the stamp folder beside the running program: the built host's.
  plat_set_program_path(STAMP_HOST_EXE);
  // The window's remembered size goes to a settings folder of the test's own.
  qputenv("XDG_CONFIG_HOME", folder_.filePath("config").toUtf8());
}

// No test leaves an autosave for the next window to offer, or answers for its boxes.
void StampWindowTest::cleanup() {
  QDir(folder_.filePath("state/stamp-host")).removeRecursively();
  qDeleteAll(qApp->findChildren<QTimer*>(kAnswersTimer));
}

std::unique_ptr<StampWindow> StampWindowTest::OpenWindow(const QString& profile, int side) {
  const host::SessionOptions options{side, side, folder_.filePath(profile).toStdString(),
                                     kHostFolder};
  auto window = std::make_unique<StampWindow>(options);
  window->resize(1000, 700);
  window->show();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
  return window;
}

void StampWindowTest::sessionShowsWhatTheScriptedHostSaves() {
  const std::unique_ptr<StampWindow> window = OpenWindow("window.ini");
  QVERIFY(window != nullptr);
  auto* panel = window->findChild<PanelView*>("panel");
  auto* canvas = window->findChild<CanvasView*>("canvas");
  auto* layer = window->findChild<QComboBox*>("layer");
  auto* zoom = window->findChild<QComboBox*>("zoom");
  QString script;

  // Pick the nature sheet in the load dialog: its row, the path it fills in, OK.
  int sheetRow = -1;
  QString shownPath;
  WhenDialogShows([&](QDialog& dialog) {
    auto* list = dialog.findChild<QListWidget*>("control1002");
    const QList<QListWidgetItem*> found = list->findItems("nature.bmp", Qt::MatchExactly);
    if (found.isEmpty()) return Click(dialog, "control2");
    sheetRow = list->row(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
    shownPath = dialog.findChild<QLineEdit*>("control1000")->text();
    Click(dialog, "control1");
  });
  QTest::mouseClick(panel, Qt::LeftButton, {}, OnPanel(200, 105));
  QVERIFY2(sheetRow >= 0, "the load dialog lists no nature.bmp");
  QVERIFY(shownPath.endsWith("\\stamp\\nature.bmp"));
  // The offscreen platform has no window manager to make the window active again after the dialog.
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  script +=
      QString("dialog select %1\ndialog ok\npanel down 200 105\npanel up 200 105\n").arg(sheetRow);

  // A cell, the next one by key, the size down three and up one, the dial dragged.
  QTest::mouseClick(panel, Qt::LeftButton, {}, OnPanel(140, 40));
  QTest::keyClick(window.get(), Qt::Key_B);
  for (int i = 0; i < 3; ++i) QTest::mouseClick(panel, Qt::LeftButton, {}, OnPanel(95, 105));
  QTest::mouseClick(panel, Qt::LeftButton, {}, OnPanel(95, 15));
  QTest::mousePress(panel, Qt::LeftButton, {}, OnPanel(65, 50));
  DragTo(panel, OnPanel(85, 50));
  DragTo(panel, OnPanel(95, 70));
  QTest::mouseRelease(panel, Qt::LeftButton, {}, OnPanel(95, 70));
  script += "panel down 140 40\npanel up 140 40\nkey b\n";
  for (int i = 0; i < 3; ++i) script += "panel down 95 105\npanel up 95 105\n";
  script += "panel down 95 15\npanel up 95 15\n";
  script += "panel down 65 50\npanel move 85 50\npanel move 95 70\npanel up 95 70\n";

  // Strokes: pen-down at a view point, which the tool converts through the record's view fields
  // (the preview it draws then is kept, to compare as NAME), moves and pen-up at canvas points.
  QWidget* view = canvas->viewport();
  std::vector<ShownCanvas> previews;
  const auto stroke = [&](const QString& name, const std::vector<QPoint>& points) {
    QTest::mousePress(view, Qt::LeftButton, {}, points.front());
    previews.push_back(Shown(name, *canvas));
    for (size_t i = 1; i + 1 < points.size(); ++i) DragTo(view, points[i]);
    QTest::mouseRelease(view, Qt::LeftButton, {}, points.back());
  };

  // Layer 0 at 1:1, scrolled by (100, 50).
  QVERIFY(canvas->horizontalScrollBar()->maximum() >= 100);
  QVERIFY(canvas->verticalScrollBar()->maximum() >= 50);
  canvas->horizontalScrollBar()->setValue(100);
  canvas->verticalScrollBar()->setValue(50);
  stroke("scrolled", {{30, 40}, {40, 50}, {50, 60}});
  script += "layer 0\nview -100 -50 0\npen down 30 40\nsave scrolled\n";
  script += "pen move 140 100\npen up 150 110\n";

  // Layer 1 at 1:2 and layer 2 at 1:4, where the whole canvas fits and scrolling ends; the last
  // stamp is undone. Zoom items run from 1:4 (item 0) to 8:1; 1:1 is item 2.
  layer->setCurrentIndex(1);
  zoom->setCurrentIndex(1);
  QCOMPARE(canvas->mapping().origin, QPoint(0, 0));
  stroke("half", {{100, 120}, {100, 120}});
  script += "layer 1\nview 0 0 1\npen down 100 120\nsave half\npen up 200 240\n";
  layer->setCurrentIndex(2);
  zoom->setCurrentIndex(0);
  stroke("quarter", {{60, 45}, {60, 45}});
  stroke("undone", {{70, 70}, {70, 70}});
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  script += "layer 2\nview 0 0 2\npen down 60 45\nsave quarter\npen up 240 180\n";
  script += "pen down 70 70\nsave undone\npen up 280 280\nundo\n";

  // Layer 0 at 4:1, scrolled to (1000, 800) in view pixels: view point (x, y) is canvas pixel
  // ((x + 1000) / 4, (y + 800) / 4), rounded down, at pen-down as on the way; the record's view
  // is (0, 0) with shift 0 and pen-down gets that canvas point.
  layer->setCurrentIndex(0);
  zoom->setCurrentIndex(4);
  canvas->horizontalScrollBar()->setValue(1000);
  canvas->verticalScrollBar()->setValue(800);
  stroke("magnified", {{41, 63}, {50, 70}, {83, 97}});
  script += "layer 0\nview 0 0 0\npen down 260 215\nsave magnified\n";
  script += "pen move 262 217\npen up 270 224\nsave scripted\n";
  previews.push_back(Shown("scripted", *canvas));
  zoom->setCurrentIndex(0);
  previews.push_back(Shown("scripted", *canvas));
  zoom->setCurrentIndex(2);
  canvas->horizontalScrollBar()->setValue(0);
  canvas->verticalScrollBar()->setValue(0);
  QVERIFY(window->grab().save(STAMP_GUI_SCREENSHOT));

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
}

// The load dialog's File button: the picker gets the request's filters and default extension,
// and the file chosen there reaches the path box in the platform's backslash form.
void StampWindowTest::fileButtonAsksThePickerWithTheRequest() {
  const std::unique_ptr<StampWindow> window = OpenWindow("picker.ini");
  QVERIFY(window != nullptr);
  const fs::path chosen = kHostFolder / "stamp" / "shapes.bmp";
  QStringList filters;
  QString suffix;
  QString pathBox;
  WhenDialogShows([&](QDialog& dialog) {
    QTimer::singleShot(0, [&] {
      auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (picker == nullptr) return;
      filters = picker->nameFilters();
      suffix = picker->defaultSuffix();
      picker->selectFile(QString::fromStdString(chosen.string()));
      static_cast<QDialog*>(picker)->accept();  // QFileDialog::accept, which checks the file
    });
    Click(dialog, "control1001");
    pathBox = dialog.findChild<QLineEdit*>("control1000")->text();
    Click(dialog, "control2");
  });
  QTest::mouseClick(window->findChild<PanelView*>("panel"), Qt::LeftButton, {}, OnPanel(200, 105));
  QCOMPARE(filters, QStringList({"Bmp Files (*.bmp)", "All Files (*)"}));
  QCOMPARE(suffix, QString("BMP"));
  QCOMPARE(pathBox.toStdU16String(), platform::FromFileSystemPath(chosen.string()));
}

// Ctrl+plus and Ctrl+minus step one zoom at a time and stop at 8:1 and 1:4, the chooser
// following; Ctrl+wheel zooms about the pointer, which stays over the same canvas pixel.
void StampWindowTest::zoomKeysAndWheelStepThroughEveryZoom() {
  const std::unique_ptr<StampWindow> window = OpenWindow("zoom.ini");
  QVERIFY(window != nullptr);
  auto* canvas = window->findChild<CanvasView*>("canvas");
  auto* chooser = window->findChild<QComboBox*>("zoom");
  const int steps = ViewMapping::kMaxZoom - ViewMapping::kMinZoom + 1;
  for (int step = 1; step <= steps; ++step) {
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(canvas->zoom(), std::min(step, ViewMapping::kMaxZoom));
  }
  QCOMPARE(chooser->currentText(), QString("8:1"));
  for (int step = 1; step <= steps; ++step) {
    QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(canvas->zoom(), std::max(ViewMapping::kMaxZoom - step, ViewMapping::kMinZoom));
  }
  QCOMPARE(chooser->currentText(), QString("1:4"));

  chooser->setCurrentIndex(-ViewMapping::kMinZoom);
  canvas->horizontalScrollBar()->setValue(0);
  canvas->verticalScrollBar()->setValue(0);
  const QPoint pointer(130, 90);
  const QPoint under = canvas->mapping().CanvasPoint(pointer);
  QWheelEvent wheel(pointer, canvas->viewport()->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas->viewport(), &wheel);
  QCOMPARE(canvas->zoom(), 1);
  QCOMPARE(canvas->mapping().CanvasPoint(pointer), under);
}

// A first start stamps at once with the sample sheet. A hundred strokes and one are kept in a
// few megabytes; a hundred undos go back to the first stroke, and redo (both keys) to the last.
// A dialog opened mid-stroke takes the pointer and the canvas never sees the release: the
// stroke lands where the pen last was, as a release there would, and no preview stays behind.
void StampWindowTest::aStrokeCutShortByADialogLandsWhereThePenWas() {
  const std::unique_ptr<StampWindow> window = OpenWindow("cut.ini");
  QVERIFY(window != nullptr);
  QWidget* view = window->findChild<CanvasView*>("canvas")->viewport();
  const QByteArray blank = Layers(*window);
  QTest::mousePress(view, Qt::LeftButton, {}, {40, 40});
  DragTo(view, {100, 120});
  QEvent deactivate(QEvent::WindowDeactivate);
  QApplication::sendEvent(window.get(), &deactivate);
  const host::HostRecord& record = window->session().record();
  const uint8_t* overlay = record.buffer(STAMP_REC_OVERLAY_BUFFER);
  QVERIFY(std::all_of(overlay, overlay + record.canvasBytes(), [](uint8_t b) { return b == 255; }));
  const QByteArray cut = Layers(*window);
  QVERIFY(cut != blank);
  QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
  QTest::mousePress(view, Qt::LeftButton, {}, {40, 40});
  DragTo(view, {100, 120});
  QTest::mouseRelease(view, Qt::LeftButton, {}, {100, 120});
  QVERIFY(Layers(*window) == cut);
}

void StampWindowTest::historyTakesBackAndRedoesAHundredStrokes() {
  const std::unique_ptr<StampWindow> window = OpenWindow("history.ini");
  QVERIFY(window != nullptr);
  QVERIFY(window->statusBar()->currentMessage().contains("pick another sheet"));
  auto* canvas = window->findChild<CanvasView*>("canvas");
  const QByteArray blank = Layers(*window);
  constexpr int kStrokes = 101;
  std::map<int, QByteArray> after;
  for (int i = 0; i < kStrokes; ++i) {
    Stamp(canvas, {20 + (i % 10) * 40, 20 + (i / 10) * 40});
    if (i == 0 || i == 50 || i == kStrokes - 1) after[i] = Layers(*window);
  }
  QVERIFY(after[0] != blank);
  QCOMPARE(window->history().undoSteps(), size_t{kStrokes});
  QVERIFY(window->history().bytes() < (size_t{4} << 20));
  const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, int times) {
    for (int i = 0; i < times; ++i) QTest::keyClick(window.get(), key, modifiers);
  };
  press(Qt::Key_Z, Qt::ControlModifier, 50);
  QVERIFY(Layers(*window) == after[50]);
  press(Qt::Key_Z, Qt::ControlModifier, 50);
  QVERIFY(Layers(*window) == after[0]);
  press(Qt::Key_Z, Qt::ControlModifier, 1);
  QVERIFY(Layers(*window) == blank);
  QImage white(kCanvasSide, kCanvasSide, QImage::Format_RGB32);
  white.fill(Qt::white);
  const Comparison undone = Compare(Shown("undone", *canvas), white);
  QVERIFY(undone.compared > 0);
  QCOMPARE(undone.mismatched, 0);
  press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 51);
  QVERIFY(Layers(*window) == after[50]);
  press(Qt::Key_Y, Qt::ControlModifier, 50);
  QVERIFY(Layers(*window) == after[kStrokes - 1]);
}

// Cancel keeps the window; Discard before New canvas clears it; Save before closing writes the
// layers to the work's file.
void StampWindowTest::unsavedWorkIsAskedAboutBeforeItIsDropped() {
  std::unique_ptr<StampWindow> window = OpenWindow("unsaved.ini");
  QVERIFY(window != nullptr);
  auto* canvas = window->findChild<CanvasView*>("canvas");
  const QByteArray blank = Layers(*window);
  Stamp(canvas, {100, 100});
  QVERIFY(window->unsaved());
  bool closed = true;
  QVERIFY(Answering({"Cancel"}, [&] { closed = window->close(); }) && !closed);
  // The offscreen platform has no window manager to make the window active again after a box.
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QVERIFY(Answering({"Discard"},
                    [&] { QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier); }));
  QVERIFY(Layers(*window) == blank && !window->unsaved());

  const QString path = folder_.filePath("unsaved.ora");
  QVERIFY(window->SaveWorkTo(path));
  Stamp(canvas, {200, 200});
  const QByteArray stamped = Layers(*window);
  QVERIFY(Answering({"Save"}, [&] { closed = window->close(); }) && closed);
  ora::LayeredPicture saved;
  QCOMPARE(ora::ReadOra(path.toStdString(), saved), std::string());
  QByteArray savedBytes;
  for (const auto& layer : saved.layers) savedBytes.append(QByteArrayView(layer));
  QVERIFY(savedBytes == stamped);
}

// A picture goes into layer 0, placed at the top-left or setting the canvas's size; the work
// saved opens again at its own size; bad files each give a message and leave the drawing alone.
void StampWindowTest::workAndPicturesOpenIntoTheLayers() {
  const std::unique_ptr<StampWindow> window = OpenWindow("files.ini", 200);
  QVERIFY(window != nullptr);
  auto* canvas = window->findChild<CanvasView*>("canvas");
  Stamp(canvas, {50, 50});
  const QString work = folder_.filePath("files.ora");
  QVERIFY(window->SaveWorkTo(work));
  const QByteArray saved = Layers(*window);

  QImage picture(60, 40, QImage::Format_RGB32);
  picture.fill(qRgb(10, 200, 30));
  const QString picturePath = folder_.filePath("picture.png");
  QVERIFY(picture.save(picturePath));
  QVERIFY(Answering({"Place at the top-left"}, [&] { window->OpenPictureFrom(picturePath); }));
  const QImage shown = Painted(*canvas);
  QCOMPARE(shown.pixel(59, 39), qRgb(10, 200, 30));
  QCOMPARE(shown.pixel(60, 40), qRgb(255, 255, 255));
  QCOMPARE(shown.pixel(50, 50), qRgb(255, 255, 255));  // the stroke in layer 0 was replaced

  const QString damaged = folder_.filePath("damaged.png");
  const QString notOra = folder_.filePath("not.ora");
  QVERIFY(WriteAll(damaged, ReadAll(picturePath).left(60)) && WriteAll(notOra, "not a zip"));
  const QByteArray placed = Layers(*window);
  QVERIFY(Answering({"OK", "OK"}, [&] {
    window->OpenPictureFrom(damaged);
    window->OpenWorkFrom(notOra);
  }));
  QVERIFY(Layers(*window) == placed);

  window->OpenWorkFrom(work);
  QVERIFY(Layers(*window) == saved && !window->unsaved());
  QVERIFY(Answering({"Resize the canvas"}, [&] { window->OpenPictureFrom(picturePath); }));
  const host::HostRecord& resized = window->session().record();
  QCOMPARE(QSize(resized.canvasWidth(), resized.canvasHeight()), QSize(60, 40));
  QCOMPARE(Painted(*canvas).pixel(59, 39), qRgb(10, 200, 30));
  window->OpenWorkFrom(work);
  QCOMPARE(window->session().record().canvasWidth(), 200);
  QVERIFY(Layers(*window) == saved);
}

// SIGTERM, as a desktop session sends at log-out, closes the window: the tool shuts down and
// writes its settings (the size is written only then) beside the sample sheet of a first start.
void StampWindowTest::aSignalEndsTheWindowAsAClose() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("XDG_STATE_HOME", folder_.filePath("signal-state"));
  QProcess host;
  host.setProcessEnvironment(environment);
  const QString profile = folder_.filePath("ended.ini");
  host.start(STAMP_HOST_EXE, {"gui", "--profile", profile, "--canvas", "200x200"});
  QVERIFY(host.waitForStarted());
  const QString lock =
      folder_.filePath(QString("signal-state/stamp-host/autosave-%1.lock").arg(host.processId()));
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 60000);
  host.terminate();
  QVERIFY(host.waitForFinished(60000));
  QCOMPARE(host.exitStatus(), QProcess::NormalExit);
  QCOMPARE(host.exitCode(), 0);
  const QByteArray settings = ReadAll(profile);
  QVERIFY2(settings.contains("shrink=30") && settings.contains("nature.bmp"), settings.constData());
  QVERIFY(!QFile::exists(lock));
}

// A child window stamps until its autosave is written, notes the layers then, stamps once more
// and is killed; the next window recovers every stroke of the autosave.
void StampWindowTest::aKilledWindowsAutosaveIsRecovered() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kChildVariable, folder_.path());
  QProcess child;
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(), {});
  QByteArray out;
  while (!out.contains("ready") && child.waitForReadyRead(120000))
    out += child.readAllStandardOutput();
  QVERIFY2(out.contains("ready"), child.readAllStandardError().constData());
  child.kill();
  QVERIFY(child.waitForFinished(60000));
  const QByteArray autosaved = ReadAll(folder_.filePath("autosaved.bin"));
  QVERIFY(!autosaved.isEmpty());

  std::unique_ptr<StampWindow> window;
  QVERIFY(Answering({"Recover"}, [&] { window = OpenWindow("recovered.ini", 200); }));
  QVERIFY(window != nullptr);
  QVERIFY(Layers(*window) == autosaved);
  QVERIFY(window->unsaved());
}

// The child of aKilledWindowsAutosaveIsRecovered.
int RunKilledChild(const QString& folder) {
  plat_set_program_path(STAMP_HOST_EXE);
  StampWindow window({200, 200, (folder + "/child.ini").toStdString(), kHostFolder});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  auto* canvas = window.findChild<CanvasView*>("canvas");
  QSignalSpy written(&window.autosave(), &Autosave::Written);
  for (int i = 0; i < Autosave::kStrokesPerSave; ++i) Stamp(canvas, {20 + 30 * i, 50});
  if (!written.wait(30000)) return 1;
  if (!WriteAll(folder + "/autosaved.bin", Layers(window))) return 1;
  Stamp(canvas, {100, 150});  // after the autosave: lost with the process
  std::printf("ready\n");
  std::fflush(stdout);
  return QApplication::exec();
}

}  // namespace stamp::gui

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (const QString child = qEnvironmentVariable(stamp::gui::kChildVariable); !child.isEmpty()) {
    return stamp::gui::RunKilledChild(child);
  }
  stamp::gui::StampWindowTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "stamp_window_test.moc"
