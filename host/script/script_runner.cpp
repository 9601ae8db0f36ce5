#include "host/script/script_runner.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "host/output/snapshot.h"
#include "host/script/shown_text.h"
#include "host/session/history.h"
#include "platform/portable/text_encoding.h"
#include "stamp/host_record.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

class Runner {
 public:
  // A system file picker may change the current folder (it does on Windows): each line starts
  // in the folder the run started in, so that relative places, and the names the log and the
  // error lines give them, keep their meaning. A file the picker is answered with is named in
  // full, since the picker reads a name relative to its own folder.
  Runner(const Script& script, Session& session, ScriptUser& user, const ScriptPlaces& places,
         HostLog& log)
      : script_(script),
        session_(session),
        user_(user),
        places_(places),
        startFolder_(std::filesystem::current_path()),
        log_(log),
        keepsHistory_(std::any_of(script.commands.begin(), script.commands.end(), IsHistoryStep)) {}

  Result<ScriptOutcome> Run() {
    for (const ScriptCommand& command : script_.commands) {
      const Result<std::optional<std::string>> failed = Execute(command);
      STAMP_TRY(failed);
      ReturnToStartFolder();
      session_.CheckGuards();
      if (*failed) {
        log_.Error(script_.name + ":" + std::to_string(command.line) + ": " + **failed);
        return ScriptOutcome::kExpectationFailed;
      }
    }
    return ScriptOutcome::kRanToEnd;
  }

 private:
  // Runs one command; gives what an expect line found instead of what it expected, or fails
  // saying why the host could not do what the line asks.
  Result<std::optional<std::string>> Execute(const ScriptCommand& command);
  void Dialog(const ScriptCommand& command);
  // A step of the host's history taken back or done again, as a window's Undo and Redo do.
  void HistoryStep(Op op);
  static bool IsHistoryStep(const ScriptCommand& command) {
    return command.op == Op::kHistoryUndo || command.op == Op::kHistoryRedo;
  }
  // Only a line that left the start folder is sent back: reading the current folder is the
  // process's own, setting it opens the folder (on Windows a round trip to the system), which
  // would cost more than the event itself.
  void ReturnToStartFolder() const {
    namespace fs = std::filesystem;
    if (fs::current_path() != startFolder_) fs::current_path(startFolder_);
  }
  void Set(uint32_t field, int32_t value) { session_.record().setInt(field, value); }
  // Sends the command's event with its point (none for the keys).
  void Send(const ScriptCommand& command);
  std::optional<std::string> ExpectResult(int32_t expected) const;
  std::optional<std::string> ExpectMessage(const std::string& expected);
  Status Save(const std::string& name);

  const Script& script_;
  Session& session_;
  ScriptUser& user_;
  const ScriptPlaces& places_;
  const std::filesystem::path startFolder_;
  HostLog& log_;
  std::optional<int32_t> lastResult_;
  // Only a script that steps through the history keeps one: keeping it costs a look over the
  // layer after every stroke.
  const bool keepsHistory_;
  History history_;
};

Result<std::optional<std::string>> Runner::Execute(const ScriptCommand& command) {
  const std::vector<int32_t>& n = command.numbers;
  switch (command.op) {
    case Op::kEvent: Send(command); break;
    case Op::kLayer: Set(STAMP_REC_ACTIVE_LAYER, n[0]); break;
    case Op::kView:
      Set(STAMP_REC_VIEW_X, n[0]);
      Set(STAMP_REC_VIEW_Y, n[1]);
      Set(STAMP_REC_ZOOM_SHIFT, n[2]);
      break;
    case Op::kUndo: session_.Undo(); break;
    case Op::kHistoryUndo:
    case Op::kHistoryRedo: HistoryStep(command.op); break;
    case Op::kExpectResult: return ExpectResult(n[0]);
    case Op::kExpectMessage: return ExpectMessage(command.text);
    case Op::kSave: STAMP_TRY(Save(command.text)); break;
    case Op::kDestroy: lastResult_ = session_.Destroy(); break;
    case Op::kInit: lastResult_ = session_.Init(); break;
    default: Dialog(command); break;
  }
  return std::optional<std::string>();
}

void Runner::Send(const ScriptCommand& command) {
  const bool point = command.numbers.size() == 2;
  const PluginEvent event{command.event, point ? command.numbers[0] : 0,
                          point ? command.numbers[1] : 0};
  const EventOutcome outcome = session_.Send(event);
  lastResult_ = outcome.result;
  if (keepsHistory_ && outcome.layerChanged) history_.RecordStroke(session_.record());
}

void Runner::HistoryStep(Op op) {
  const bool undo = op == Op::kHistoryUndo;
  const int32_t layer = undo ? history_.Undo(session_.record()) : history_.Redo(session_.record());
  const std::string step = undo ? "history undo: " : "history redo: ";
  if (layer < 0) return log_.Line(step + "no step to take");
  session_.LayersChanged();
  log_.Line(step + "layer " + std::to_string(layer));
}

// Queues the answers of the next load dialog with the script's user.
void Runner::Dialog(const ScriptCommand& command) {
  switch (command.op) {
    case Op::kDialogSelect: user_.QueueSelect(STAMP_LOAD_DIALOG_LIST, command.numbers[0]); break;
    case Op::kDialogType:
      user_.QueueType(STAMP_LOAD_DIALOG_PATH_BOX, platform::FromUtf8(command.text));
      break;
    case Op::kDialogFile:
      if (command.text.empty()) {
        user_.QueueFileCancel();
      } else {
        const std::filesystem::path path =
            std::filesystem::absolute(places_.scriptFolder / platform::PathFromUtf8(command.text));
        user_.QueueFileAnswer(
            platform::FromFileSystemPath(platform::PathToUtf8(path.lexically_normal())));
      }
      user_.QueueClick(STAMP_LOAD_DIALOG_FILE_BUTTON);
      break;
    case Op::kDialogOk: user_.QueueOk(); break;
    case Op::kDialogCancel: user_.QueueCancel(); break;
    default: throw std::logic_error("not a dialog command");
  }
}

std::optional<std::string> Runner::ExpectResult(int32_t expected) const {
  if (!lastResult_) return "expected result " + std::to_string(expected) + ", but no export ran";
  if (*lastResult_ == expected) return std::nullopt;
  return "expected result " + std::to_string(expected) + ", got " + std::to_string(*lastResult_);
}

std::optional<std::string> Runner::ExpectMessage(const std::string& expected) {
  const std::vector<std::u16string>& messages = user_.messages();
  const std::string shown = ShownText(expected);
  if (messages.empty()) return "expected message \"" + shown + "\", but none was shown";
  const std::string last = platform::ToUtf8(messages.back());
  if (last == expected) return std::nullopt;
  return "expected message \"" + shown + "\", the last was \"" + ShownText(last) + "\"";
}

Status Runner::Save(const std::string& name) {
  STAMP_TRY(SaveSnapshot(session_.record(), session_.compositor(), places_.outFolder, name));
  const std::filesystem::path saved = places_.outFolder / platform::PathFromUtf8(name);
  log_.Line("save: " + platform::PathToUtf8(saved) + "-*");
  return {};
}

}  // namespace

Result<ScriptOutcome> RunScript(const Script& script, Session& session, ScriptUser& user,
                                const ScriptPlaces& places, HostLog& log) {
  return Runner(script, session, user, places, log).Run();
}

}  // namespace stamp::host
