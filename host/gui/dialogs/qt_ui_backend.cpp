#include "host/gui/dialogs/qt_ui_backend.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#include "host/gui/dialogs/file_request.h"
#include "host/gui/dialogs/template_dialog.h"
#include "stamp/platform_host.h"
#include "stamp/plugin.h"

namespace stamp::gui {
namespace {

QtUiBackend& Backend(void* user) { return *static_cast<QtUiBackend*>(user); }

}  // namespace

QtUiBackend::QtUiBackend(QWidget* window) : window_(window) {
  const PlatUiBackend backend{this,    &OnMessageBox, &OnRunDialog,   &OnFileDialog,
                              nullptr, nullptr,       &OnSystemMetric};
  plat_ui_set_backend(&backend);
}

QtUiBackend::~QtUiBackend() { plat_ui_set_backend(nullptr); }

void QtUiBackend::OnMessageBox(void* user, const char16_t* text) {
  QMessageBox box(QMessageBox::Information, QObject::tr("Stamp"), QString::fromUtf16(text),
                  QMessageBox::Ok, Backend(user).window_);
  box.setObjectName("messageBox");
  box.exec();
}

void QtUiBackend::OnRunDialog(void* user, PlatDialog* dialog) {
  TemplateDialog shown(dialog, Backend(user).window_);
  shown.Run();
  int32_t result = 0;
  if (plat_dialog_template(dialog)->resourceId == STAMP_LOAD_DIALOG_ID &&
      plat_dialog_ended(dialog, &result)) {
    const bool ok = result == PLAT_IDOK;
    Backend(user).dialogEnds_.push_back(
        {ok, ok ? shown.ItemText(STAMP_LOAD_DIALOG_PATH_BOX).toStdU16String() : std::u16string()});
  }
}

int32_t QtUiBackend::OnFileDialog(void* user, int32_t save, PlatOpenFileName* request) {
  return request != nullptr ? RunFileRequest(Backend(user).window_, save != 0, *request) : 0;
}

int32_t QtUiBackend::OnSystemMetric(void* user, int32_t index) {
  const QScreen* screen = Backend(user).window_->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 0;
  switch (index) {
    case PLAT_SM_CXSCREEN: return screen->size().width();
    case PLAT_SM_CYSCREEN: return screen->size().height();
    default: return 0;
  }
}

}  // namespace stamp::gui
