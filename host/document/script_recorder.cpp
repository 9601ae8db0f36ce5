#include "host/document/script_recorder.h"

#include "host/script/script_parser.h"
#include "platform/portable/text_encoding.h"
#include "stamp/host_record.h"

namespace stamp::document {
namespace {

// The first line of a settings' file a recording keeps, an INI comment, by which a later
// recording knows the file for one it may write over.
constexpr std::string_view kSettingsMark =
    "; The tool's settings a recorded script starts from (stamp-host gui)";
constexpr std::string_view kSettingsSuffix = "-settings.ini";

// Whether a file may take the settings: none is there, or a recording's.
bool MayKeepSettingsIn(const std::filesystem::path& path) {
  std::error_code failed;
  if (!std::filesystem::exists(path, failed) && !failed) return true;
  std::ifstream in(path, std::ios::binary);
  std::string first;
  std::getline(in, first);
  return first.starts_with(kSettingsMark);
}

host::ScriptCommand Command(host::Op op, std::vector<int32_t> numbers = {}, std::string text = {}) {
  return {op, 0, std::move(numbers), std::move(text)};
}

bool HasPoint(host::EventKind kind) {
  return kind != host::EventKind::kKeyA && kind != host::EventKind::kKeyB;
}

}  // namespace

SentWith SentWith::Of(const host::HostRecord& record) {
  return {record.getInt(STAMP_REC_ACTIVE_LAYER), record.getInt(STAMP_REC_VIEW_X),
          record.getInt(STAMP_REC_VIEW_Y), record.getInt(STAMP_REC_ZOOM_SHIFT)};
}

ScriptRecorder::ScriptRecorder(const std::filesystem::path& path)
    : path_(path),
      settings_(std::filesystem::path(path).replace_filename(
          path.stem().concat(std::string(kSettingsSuffix)))) {}

host::Result<std::unique_ptr<ScriptRecorder>> ScriptRecorder::Start(
    const std::filesystem::path& path, const host::HostRecord& record) {
  std::unique_ptr<ScriptRecorder> recorder(new ScriptRecorder(path));
  if (!MayKeepSettingsIn(recorder->settings_)) {
    return host::Failure{"cannot keep the tool's settings in " +
                         platform::PathToUtf8(recorder->settings_) +
                         ": a file of that name is there, not written by a recording"};
  }
  recorder->out_.open(path, std::ios::binary | std::ios::trunc);
  if (!recorder->out_) return host::Failure{"cannot write " + platform::PathToUtf8(path)};
  const std::string size =
      std::to_string(record.canvasWidth()) + "x" + std::to_string(record.canvasHeight());
  const std::string lines[] = {
      "# The steps of a drawing in the stamp-host window, as the tool's calls. It starts from",
      "# white layers of " + size + " and the tool's settings kept in " +
          platform::PathToUtf8(recorder->settings_.filename()) + ".",
      "# Replay it with a copy of that file as the profile (a run writes its profile):",
      "#   stamp-host run --canvas " + size + " --profile COPY.ini " +
          platform::PathToUtf8(path.filename())};
  for (const std::string& line : lines) STAMP_TRY(recorder->WriteLine(line));
  return recorder;
}

host::Status ScriptRecorder::KeepSettings(const std::filesystem::path& profile) {
  std::ifstream in(profile, std::ios::binary);
  std::ofstream out(settings_, std::ios::binary | std::ios::trunc);
  out << kSettingsMark << '\n';
  if (in) out << in.rdbuf();
  out.flush();
  if (!out) return host::Failure{"cannot write " + platform::PathToUtf8(settings_)};
  return {};
}

host::Status ScriptRecorder::Event(const SentWith& with, const host::PluginEvent& event,
                                   std::span<const host::DialogEnd> dialogs) {
  if (!written_ || written_->layer != with.layer) {
    STAMP_TRY(Write(Command(host::Op::kLayer, {with.layer})));
  }
  if (!written_ || written_->viewX != with.viewX || written_->viewY != with.viewY ||
      written_->zoomShift != with.zoomShift) {
    STAMP_TRY(Write(Command(host::Op::kView, {with.viewX, with.viewY, with.zoomShift})));
  }
  written_ = with;
  for (const host::DialogEnd& dialog : dialogs) {
    if (dialog.ok) {
      STAMP_TRY(Write(Command(host::Op::kDialogType, {}, platform::ToUtf8(dialog.path))));
    }
    STAMP_TRY(Write(Command(dialog.ok ? host::Op::kDialogOk : host::Op::kDialogCancel)));
  }
  host::ScriptCommand sent = Command(host::Op::kEvent);
  sent.event = event.kind;
  if (HasPoint(event.kind)) sent.numbers = {event.x, event.y};
  return Write(sent);
}

host::Status ScriptRecorder::HistoryStep(bool undo) {
  return Write(Command(undo ? host::Op::kHistoryUndo : host::Op::kHistoryRedo));
}

void ScriptRecorder::End(const std::string& why) {
  if (!why.empty()) static_cast<void>(WriteLine("# The recording ends here: " + why + "."));
  out_.close();
}

host::Status ScriptRecorder::Write(const host::ScriptCommand& command) {
  const host::Result<std::string> line = host::ScriptLine(command);
  STAMP_TRY(line);
  return WriteLine(*line);
}

host::Status ScriptRecorder::WriteLine(const std::string& line) {
  out_ << line << '\n';
  out_.flush();
  if (!out_) return host::Failure{"cannot write " + platform::PathToUtf8(path_)};
  return {};
}

}  // namespace stamp::document
