#include "host/session/session.h"

#include <cstring>
#include <stdexcept>

#include "host/record/host_directory.h"
#include "platform/portable/text_encoding.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

constexpr char kToolName[] = STAMP_PLUGIN_NAME;
constexpr int32_t kInterfaceVersion = STAMP_PLUGIN_VERSION;

HostRecordOptions RecordOptions(const SessionOptions& options) {
  HostRecordOptions record;
  record.canvasWidth = options.canvasWidth;
  record.canvasHeight = options.canvasHeight;
  record.hostDirectory = HostDirectoryText(options.hostFolder);
  record.profilePath = platform::PathToUtf8(options.profile);
  record.panelText = kPanelTextStyle;
  record.mainWindow = options.mainWindow;
  return record;
}

}  // namespace

Session::Session(const SessionOptions& options, const SessionUi& ui, HostLog& log)
    : log_(log),
      record_(RecordOptions(options)),
      panel_(record_.raster(STAMP_REC_PANEL_BUFFER),
             static_cast<PlatHandle>(record_.getInt(STAMP_REC_PANEL_DC))),
      module_(ModulePath(options.hostFolder)),
      calls_(module_.exports(), ui, log),
      compositor_(record_) {}

Session::~Session() { Finish(); }

void Session::Start() {
  const std::string name = calls_.Info();
  if (name != kToolName) {
    throw std::runtime_error("the plug-in calls itself \"" + name + "\", not \"" + kToolName +
                             "\"");
  }
  if (const int32_t version = calls_.Version(); version != kInterfaceVersion) {
    throw std::runtime_error("the plug-in speaks interface version " + std::to_string(version) +
                             ", not " + std::to_string(kInterfaceVersion) + " (1.0)");
  }
  if (Init() != 1) throw std::runtime_error("the plug-in failed to start (plg_init returned 0)");
}

int32_t Session::Init() {
  const int32_t result = calls_.Init(record_.record());
  running_ = result == 1;
  if (running_) RedrawPanel();
  return result;
}

int32_t Session::Destroy() {
  running_ = false;
  return calls_.Destroy();
}

void Session::Finish() {
  if (running_) Destroy();
}

SessionEnd Session::Close() {
  Finish();
  const char* failure = plat_app_profile_failure(record_.app());
  if (failure == nullptr) return SessionEnd::kDone;
  log_.Error(std::string("settings not saved: ") + failure);
  return SessionEnd::kSettingsNotSaved;
}

EventOutcome Session::Send(const PluginEvent& event) {
  EventOutcome outcome{calls_.Send(event)};
  outcome.panelChanged = outcome.result == STAMP_RESULT_PANEL_CHANGED;
  outcome.layerChanged = outcome.result == STAMP_RESULT_LAYER_CHANGED;
  outcome.canvasChanged = outcome.layerChanged || outcome.result == STAMP_RESULT_OVERLAY_CHANGED;
  if (outcome.panelChanged) RedrawPanel();
  if (outcome.layerChanged) LayersChanged();
  return outcome;
}

void Session::RedrawPanel() {
  panel_.Restore();
  calls_.UpdateSubmenu();
}

void Session::Undo() {
  const int32_t layer = record_.getInt(STAMP_REC_UNDO_LAYER);
  const int field = stamp_rec_layer_buffer(layer);
  if (field < 0) {
    log_.Line("undo: undoLayer " + std::to_string(layer) + " names no layer");
    return;
  }
  std::memcpy(record_.buffer(field), record_.buffer(STAMP_REC_UNDO_BUFFER), record_.canvasBytes());
  LayersChanged();
  std::string restored = "undo: layer ";
  restored += std::to_string(layer);
  restored += " restored";
  log_.Line(restored);
}

void Session::CheckGuards() const {
  const std::vector<std::string> damaged = record_.damagedGuards();
  if (damaged.empty()) return;
  std::string names;
  for (const std::string& name : damaged) names += (names.empty() ? "" : ", ") + name;
  throw std::runtime_error("the plug-in wrote outside its buffers (guard zones changed: " + names +
                           ")");
}

}  // namespace stamp::host
