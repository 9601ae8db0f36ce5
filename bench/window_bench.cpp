// The window on Qt's offscreen platform, as a user drags the pen: each iteration is one move of a
// held pen, from the mouse event sent to the canvas view to the frame painted (the viewport
// repainted at once), at 1:1 in a window of kWindowSize. A run is one drag of kMoves moves.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <string>

#include "bench_memcpy.h"
#include "bench_profile.h"
#include "host/gui/views/canvas_view.h"
#include "host/gui/window/stamp_window.h"

namespace stamp::bench {
namespace {

constexpr int kMoves = 100;
constexpr QSize kWindowSize{1280, 900};
constexpr QPoint kPress{300, 300};

// One application for every window benchmark, offscreen unless a platform is named, with its
// settings (the window's size) in a folder of its own.
void EnsureApplication() {
  static QTemporaryDir settings;
  static int argc = 1;
  static char program[] = "stamp_bench";
  static char* argv[] = {program, nullptr};
  if (QApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  new QApplication(argc, argv);
}

void Send(QWidget* view, QEvent::Type type, QPoint point) {
  QMouseEvent event(type, point, view->mapToGlobal(point),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(view, &event);
}

void WindowPenMove(benchmark::State& state, int32_t width, int32_t height) {
  EnsureApplication();
  const SheetProfile profile;
  gui::StampWindow window({width, height, profile.path(), HostFolder()});
  window.resize(kWindowSize);
  window.show();
  QApplication::processEvents();
  QWidget* view = window.findChild<gui::CanvasView*>("canvas")->viewport();
  Send(view, QEvent::MouseButtonPress, kPress);
  view->repaint();
  int x = 0;
  for (auto _ : state) {
    x ^= 1;
    Send(view, QEvent::MouseMove, kPress + QPoint(x, 0));
    view->repaint();
  }
  Send(view, QEvent::MouseButtonRelease, kPress);
  state.counters["shown_pixels"] =
      double(std::min(view->width(), width)) * std::min(view->height(), height);
  state.counters[kBytesCounter] = double(width) * height * 3;
}

[[maybe_unused]] const bool kRegistered = [] {
  const int32_t canvases[][2] = {{480, 640}, {2048, 2048}, {4096, 4096}};
  for (const auto& [width, height] : canvases) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    benchmark::RegisterBenchmark(("window/pen-move/" + size).c_str(), WindowPenMove, width, height)
        ->Iterations(kMoves)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
}  // namespace stamp::bench
