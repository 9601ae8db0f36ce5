#include "host/gui/window/window_size.h"

#include <QScreen>

#include "host/gui/app/window_settings.h"

namespace stamp::gui {
namespace {

constexpr char kKey[] = "window/geometry";
// Nine tenths of each side: 81% of the available area.
constexpr double kFirstSideShare = 0.9;

}  // namespace

void RestoreWindowSize(QWidget& window) {
  if (window.restoreGeometry(WindowSettings().value(kKey).toByteArray())) return;
  const QRect available = window.screen()->availableGeometry();
  const QSize size = available.size() * kFirstSideShare;
  window.setGeometry(
      QRect(QPoint(), size).translated(available.center() - QRect(QPoint(), size).center()));
}

void RememberWindowSize(const QWidget& window) {
  WindowSettings().setValue(kKey, window.saveGeometry());
}

}  // namespace stamp::gui
