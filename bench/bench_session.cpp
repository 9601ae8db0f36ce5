#include "bench_session.h"

#include <string>

#include "host/record/host_directory.h"
#include "stamp/plugin.h"

namespace stamp::bench {
namespace {

constexpr int32_t kDialY = 50;
constexpr int32_t kDialLeft = 65;   // angle 45
constexpr int32_t kDialRight = 85;  // angle -45
constexpr int32_t kDialCanvas[] = {480, 640};

host::HostRecordOptions Options(int32_t width, int32_t height, const std::string& profile) {
  host::HostRecordOptions options;
  options.canvasWidth = width;
  options.canvasHeight = height;
  options.hostDirectory = host::HostDirectoryText(HostFolder());
  options.profilePath = profile;
  return options;
}

}  // namespace

const host::PluginExports& Plugin() {
  static const host::PluginModule module(host::ModulePath(HostFolder()));
  return module.exports();
}

Session::Session(int32_t width, int32_t height, int32_t reduction)
    : profile_(reduction), record_(Options(width, height, profile_.path())) {}

Started::Started(Session& session) : ok_(Plugin().init(session.record()) == 1) {}

Started::~Started() { Plugin().destroy(); }

RepeatedEvent::RepeatedEvent(int32_t width, int32_t height)
    : session_(width, height), started_(session_) {
  if (!started_.ok()) failure_ = "plg_init failed";
}

bool RepeatedEvent::Expect(int32_t result, int32_t expected, const char* what) {
  if (failure_ == nullptr && result != expected) failure_ = what;
  return failure_ == nullptr;
}

PenMoves::PenMoves(int32_t width, int32_t height)
    : RepeatedEvent(width, height), x_(width / 2), y_(height / 2) {
  if (failure() == nullptr) {
    Expect(Plugin().mouseDown(x_, y_), STAMP_RESULT_OVERLAY_CHANGED, "pen-down not taken");
  }
}

PenMoves::~PenMoves() { Plugin().mouseUp(x_, y_); }

bool PenMoves::Step() {
  x_ ^= 1;
  return Expect(Plugin().mouseMove(0, 0, x_, y_), STAMP_RESULT_OVERLAY_CHANGED, "move not taken");
}

DialMoves::DialMoves() : RepeatedEvent(kDialCanvas[0], kDialCanvas[1]), x_(kDialLeft) {
  if (failure() == nullptr) {
    Expect(Plugin().submenuDown(x_, kDialY), STAMP_RESULT_PANEL_CHANGED, "dial pen-down not taken");
  }
}

bool DialMoves::Step() {
  x_ = kDialLeft + kDialRight - x_;
  if (!Expect(Plugin().submenuMove(x_, kDialY), STAMP_RESULT_PANEL_CHANGED,
              "dial move not taken")) {
    return false;
  }
  Plugin().updateSubmenu();
  return true;
}

}  // namespace stamp::bench
