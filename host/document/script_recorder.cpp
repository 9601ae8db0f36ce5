#include "host/document/script_recorder.h"

#include "host/script/script_parser.h"
#include "platform/portable/text_encoding.h"
#include "stamp/host_record.h"

namespace stamp::document {
namespace {

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

host::Result<std::unique_ptr<ScriptRecorder>> ScriptRecorder::Start(
    const std::filesystem::path& path, const host::HostRecord& record,
    const std::filesystem::path& profile) {
  std::unique_ptr<ScriptRecorder> recorder(new ScriptRecorder(path));
  recorder->out_.open(path, std::ios::binary | std::ios::trunc);
  if (!recorder->out_) return host::Failure{"cannot write " + platform::PathToUtf8(path)};
  const std::string size =
      std::to_string(record.canvasWidth()) + "x" + std::to_string(record.canvasHeight());
  const std::string settings =
      profile.empty() ? "the default profile" : platform::PathToUtf8(profile);
  const std::string replay = "#   stamp-host run --canvas " + size + " --profile COPY.ini " +
                             platform::PathToUtf8(path.filename());
  const std::string lines[] = {
      "# The steps of a drawing in the stamp-host window, as the tool's calls. It starts from",
      "# white layers of " + size + " and the tool as the settings in " + settings,
      "# started it. Replay it with a copy of those settings, which the replay writes to:", replay};
  for (const std::string& line : lines) STAMP_TRY(recorder->WriteLine(line));
  return recorder;
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
