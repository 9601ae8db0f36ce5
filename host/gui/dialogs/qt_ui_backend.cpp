#include "host/gui/dialogs/qt_ui_backend.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#include "host/gui/dialogs/file_request.h"
#include "host/gui/dialogs/template_dialog.h"
#include "stamp/platform_host.h"

namespace stamp::gui {
namespace {

QWidget* Window(void* user) { return static_cast<QWidget*>(user); }

}  // namespace

QtUiBackend::QtUiBackend(QWidget* window) {
  const PlatUiBackend backend{window,  &OnMessageBox, &OnRunDialog,   &OnFileDialog,
                              nullptr, nullptr,       &OnSystemMetric};
  plat_ui_set_backend(&backend);
}

QtUiBackend::~QtUiBackend() { plat_ui_set_backend(nullptr); }

void QtUiBackend::OnMessageBox(void* user, const char16_t* text) {
  QMessageBox box(QMessageBox::Information, QObject::tr("Stamp"), QString::fromUtf16(text),
                  QMessageBox::Ok, Window(user));
  box.setObjectName("messageBox");
  box.exec();
}

void QtUiBackend::OnRunDialog(void* user, PlatDialog* dialog) {
  TemplateDialog shown(dialog, Window(user));
  shown.Run();
}

int32_t QtUiBackend::OnFileDialog(void* user, int32_t save, PlatOpenFileName* request) {
  return request != nullptr ? RunFileRequest(Window(user), save != 0, *request) : 0;
}

int32_t QtUiBackend::OnSystemMetric(void* user, int32_t index) {
  const QScreen* screen = Window(user)->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 0;
  switch (index) {
    case PLAT_SM_CXSCREEN: return screen->size().width();
    case PLAT_SM_CYSCREEN: return screen->size().height();
    default: return 0;
  }
}

}  // namespace stamp::gui
