// The window driven as a user drives it (the load dialog's widgets, clicks on the panel, keys,
// strokes on the canvas at several zooms and scroll positions, undo), compared with the same
// session run by stamp-host run from a script: every pixel the window paints must be the pixel
// of the scripted host's composite that its point names, and the panel the one it saves.
#include <QApplication>
#include <QColorSpace>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "host/gui/canvas_view.h"
#include "host/gui/panel_view.h"
#include "host/gui/stamp_window.h"
#include "host/gui/view_mapping.h"
#include "platform/text/text_encoding.h"
#include "stamp/host_record.h"

namespace stamp::gui {
namespace {

namespace fs = std::filesystem;

constexpr int kCanvasSide = 800;
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

}  // namespace

class StampWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void sessionShowsWhatTheScriptedHostSaves();
  void fileButtonAsksThePickerWithTheRequest();
  void zoomKeysAndWheelStepThroughEveryZoom();

 private:
  std::unique_ptr<StampWindow> OpenWindow(const QString& profile);

  QTemporaryDir folder_;
};

void StampWindowTest::initTestCase() {
  QVERIFY(folder_.isValid());
  // The load dialog lists the stamp folder beside the running program: the built host's.
  plat_set_program_path(STAMP_HOST_EXE);
  // The window's remembered size goes to a settings folder of the test's own.
  qputenv("XDG_CONFIG_HOME", folder_.filePath("config").toUtf8());
}

std::unique_ptr<StampWindow> StampWindowTest::OpenWindow(const QString& profile) {
  const host::SessionOptions options{kCanvasSide, kCanvasSide,
                                     folder_.filePath(profile).toStdString(), kHostFolder};
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

  QFile scriptFile(folder_.filePath("session.txt"));
  QVERIFY(scriptFile.open(QIODevice::WriteOnly) && scriptFile.write(script.toUtf8()) > 0);
  scriptFile.close();
  QProcess host;
  host.start(STAMP_HOST_EXE, {"run", scriptFile.fileName(), "--out", folder_.path(), "--profile",
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

}  // namespace stamp::gui

QTEST_MAIN(stamp::gui::StampWindowTest)
#include "stamp_window_test.moc"
