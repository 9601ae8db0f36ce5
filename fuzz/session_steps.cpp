#include "fuzz/session_steps.h"

#include <array>
#include <cstring>
#include <string>

#include "platform/testing/platform_testing.h"
#include "src/plugin/module_state.h"
#include "src/resources/load_dialog_template.h"
#include "stamp/host_record.h"
#include "stamp/plugin.h"

namespace stamp::fuzz {
namespace {

// A coordinate or a record value: 0 to 239 from one byte (the panel's and the canvas's range), a
// small negative number, or any 32-bit value from four more bytes.
int32_t TakeValue(FuzzInput& input) {
  const uint8_t byte = input.TakeByte();
  if (byte < 0xF0) return byte;
  if (byte < 0xFF) return byte - 0xF8;
  return input.TakeInt32();
}

void Expect(bool holds, const char* what) {
  if (!holds) Fail(what);
}

// Runs one export under the watch. Outside a session it must also leave the platform's objects
// as they were.
template <typename Export>
int32_t Watched(FuzzedSession& s, Call call, Export run) {
  s.watch.Before();
  const int32_t liveObjects = plat_live_object_count();
  const int32_t result = run();
  s.watch.After(call, s.open || call == Call::Init);
  if (!s.open && call != Call::Init) {
    Expect(plat_live_object_count() == liveObjects, "a call outside a session made objects");
  }
  return result;
}

// An event export's result: 0 outside a session, else one of the two it may give.
void ExpectResult(const FuzzedSession& s, int32_t result, int32_t taken, int32_t alsoTaken = 0) {
  if (!s.open) return Expect(result == 0, "an event outside a session was taken");
  Expect(result == 0 || result == taken || result == alsoTaken, "an export gave a wrong result");
}

// A start-up that went on without a word holds the panel file in the PanelImage, outside the
// cells a sheet replaces.
void ExpectPanelFileShown(const SessionWorld& world) {
  const uint8_t* image = Module().panelImage.pixels;
  const std::vector<uint8_t>& file = world.panelPixels();
  for (int32_t y = 0; y < kPanelImageHeight; ++y) {
    const size_t row = static_cast<size_t>((kPanelImageHeight - 1 - y) * kPanelImageWidth) * 3;
    for (int32_t x = 0; x < kPanelImageWidth; ++x) {
      const bool inCells = x >= kCellArea.x && x < kCellArea.x + kCellArea.width &&
                           y < kCellArea.y + kCellArea.height;
      const size_t at = row + static_cast<size_t>(x) * 3;
      if (!inCells && std::memcmp(image + at, file.data() + at, 3) != 0) {
        Fail("a start-up that reported nothing does not show the panel file");
      }
    }
  }
}

void StartUp(FuzzedSession& s) {
  const size_t shown = s.ui.messages().size();
  const int32_t result = Watched(s, Call::Init, [&] { return plg_init(s.record.record()); });
  Expect(result == 0 || result == 1, "plg_init gave a result other than 0 or 1");
  s.open = result == 1;
  if (s.open && s.ui.messages().size() == shown) ExpectPanelFileShown(s.world);
}

void DrawPanel(FuzzedSession& s) {
  Watched(s, Call::DrawPanel, [] { return plg_update_submenu(); });
}

// A pen event at a position from the input, on the panel or the canvas. A canvas pen up with an
// activeLayer that names no layer restores the overlay only, and says so.
template <int32_t (*Handler)(int32_t, int32_t), Call kCall, int32_t kTaken, int32_t kAlsoTaken = 0>
void Pen(FuzzedSession& s) {
  const int32_t x = TakeValue(s.input);
  const int32_t y = TakeValue(s.input);
  ExpectResult(s, Watched(s, kCall, [&] { return Handler(x, y); }), kTaken, kAlsoTaken);
}

void PressFileButton(FuzzedSession& s) {
  const int32_t result = Watched(s, Call::PanelPen, [] {
    return plg_submenu_up(STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y);
  });
  Expect(result == (s.open ? STAMP_RESULT_PANEL_CHANGED : 0), "the file button's result");
}

void PenMove(FuzzedSession& s) {
  const int32_t ignored = TakeValue(s.input);
  const int32_t x = TakeValue(s.input);
  const int32_t y = TakeValue(s.input);
  ExpectResult(s,
               Watched(s, Call::PenMove, [&] { return plg_mouse_move(ignored, ~ignored, x, y); }),
               STAMP_RESULT_OVERLAY_CHANGED);
}

template <int32_t (*Key)()>
void PressKey(FuzzedSession& s) {
  const int32_t result = Watched(s, Call::Key, [] { return Key(); });
  Expect(result == (s.open ? STAMP_RESULT_PANEL_CHANGED : 0), "a key's result");
}

void ShutDown(FuzzedSession& s) {
  Watched(s, Call::Destroy, [] { return plg_destroy(); });
  s.open = false;
}

void NameAndVersion(FuzzedSession&) {
  Expect(std::strcmp(plg_info(), STAMP_PLUGIN_NAME) == 0, "plg_info");
  Expect(plg_version() == STAMP_PLUGIN_VERSION, "plg_version");
}

template <uint32_t Offset>
void SetRecordValue(FuzzedSession& s) {
  s.record.setInt(Offset, TakeValue(s.input));
}

// The host's folder, one without a panel file, or a field filled to its end with no terminator.
void SwitchHostDirectory(FuzzedSession& s) {
  switch (s.input.TakeByte() % 3) {
    case 0: return s.record.setHostDirectory(s.world.hostDirectory());
    case 1: return s.record.setHostDirectory(s.world.folderWithoutPanel());
    default: {
      const std::u16string unterminated(STAMP_HOST_DIRECTORY_CAPACITY, u'\\');
      std::memcpy(s.record.record() + STAMP_REC_HOST_DIRECTORY, unterminated.data(),
                  unterminated.size() * sizeof(char16_t));
    }
  }
}

// What the user will do in the next load dialog; a dialog whose queue runs dry is cancelled.
void QueueDialogAnswer(FuzzedSession& s) {
  switch (s.input.TakeByte() % 6) {
    case 0: return s.ui.QueueSelect(kLoadDialogList, TakeValue(s.input));
    case 1: return s.ui.QueueType(kLoadDialogPathBox, s.world.DialogPath(s.input));
    case 2:
      s.ui.QueueClick(kLoadDialogFileButton);
      return s.ui.QueueFileAnswer(s.world.DialogPath(s.input));
    case 3: s.ui.QueueClick(kLoadDialogFileButton); return s.ui.QueueFileCancel();
    case 4: return s.ui.QueueOk();
    default: return s.ui.QueueCancel();
  }
}

void InjectFault(FuzzedSession& s) {
  const auto fault = static_cast<PlatFault>(s.input.TakeByte() % PLAT_FAULT_KIND_COUNT);
  plat_fault_inject(fault, s.input.TakeByte() % 4);
}

constexpr std::array<void (*)(FuzzedSession&), 20> kSteps = {
    StartUp,
    ShutDown,
    DrawPanel,
    Pen<plg_submenu_down, Call::PanelPen, STAMP_RESULT_PANEL_CHANGED>,
    Pen<plg_submenu_move, Call::PanelPen, STAMP_RESULT_PANEL_CHANGED>,
    Pen<plg_submenu_up, Call::PanelPen, STAMP_RESULT_PANEL_CHANGED>,
    PressFileButton,
    Pen<plg_mouse_down, Call::PenDown, STAMP_RESULT_OVERLAY_CHANGED>,
    PenMove,
    Pen<plg_mouse_up, Call::PenUp, STAMP_RESULT_LAYER_CHANGED, STAMP_RESULT_OVERLAY_CHANGED>,
    PressKey<plg_key_a>,
    PressKey<plg_key_b>,
    SetRecordValue<STAMP_REC_ACTIVE_LAYER>,
    SetRecordValue<STAMP_REC_VIEW_X>,
    SetRecordValue<STAMP_REC_VIEW_Y>,
    SetRecordValue<STAMP_REC_ZOOM_SHIFT>,
    QueueDialogAnswer,
    InjectFault,
    SwitchHostDirectory,
    NameAndVersion,
};

}  // namespace

void RunStep(FuzzedSession& session) { kSteps[session.input.TakeByte() % kSteps.size()](session); }

void EndSession(FuzzedSession& session) { ShutDown(session); }

}  // namespace stamp::fuzz
