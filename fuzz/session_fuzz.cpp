// Whole sessions of the plug-in, driven through its exports the way a host drives them: the input
// is a profile (any values, odd sheet paths) followed by a sequence of steps (start-up, shut-down,
// panel drawing, panel and canvas pen events at any coordinates, keys, changes of the record's
// activeLayer, view and zoomShift, answers for the load dialog and the file picker, injected
// platform failures). The module's code is linked in, on a 64x48 canvas whose buffers have guard
// zones. Besides the sanitizers' checks, every call is held to what it may change (see
// session_checks.h) and to its results; a shut-down leaves no platform object behind and keeps the
// profile's other sections.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/session_checks.h"
#include "fuzz/session_steps.h"
#include "fuzz/session_world.h"
#include "host/record/complete_record.h"
#include "platform/portable/ini_file.h"
#include "platform/scripted_ui/scripted_ui.h"
#include "platform/testing/platform_testing.h"
#include "stamp/platform_host.h"

namespace {

using namespace stamp::fuzz;

constexpr int32_t kCanvasWidth = 64;
constexpr int32_t kCanvasHeight = 48;
constexpr int kMaxSteps = 48;

stamp::host::HostRecordOptions RecordOptions(const SessionWorld& world) {
  stamp::host::HostRecordOptions options;
  options.canvasWidth = kCanvasWidth;
  options.canvasHeight = kCanvasHeight;
  options.hostDirectory = world.hostDirectory();
  options.profilePath = world.profilePath();
  return options;
}

struct Harness {
  SessionWorld world;
  stamp::host::HostRecord record;
  std::vector<uint8_t> pristineRecord;
  std::vector<std::vector<uint8_t>> pristineBuffers;
  int32_t liveObjects = 0;

  Harness()
      : record(RecordOptions(world)),
        pristineRecord(record.record(), record.record() + STAMP_REC_SIZE) {
    for (const stamp::host::BufferField& field : stamp::host::kBufferFields) {
      const stamp::host::RasterView raster = record.raster(field.offset);
      pristineBuffers.emplace_back(raster.bytes, raster.bytes + raster.byteSize());
    }
    plat_set_program_path(world.programPath().c_str());
    liveObjects = plat_live_object_count();
  }

  // Every input starts from the same record and buffers.
  void Reset() {
    std::copy(pristineRecord.begin(), pristineRecord.end(), record.record());
    size_t index = 0;
    for (const stamp::host::BufferField& field : stamp::host::kBufferFields) {
      std::copy(pristineBuffers[index].begin(), pristineBuffers[index].end(),
                record.buffer(field.offset));
      ++index;
    }
  }
};

Harness* theHarness = nullptr;

void CheckProfileKeptOtherSection(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) Fail("the profile cannot be read back");
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const auto document = stamp::platform::IniDocument::Parse(text);
  if (document.Get(kOtherSection, kOtherKey) != std::string(kOtherValue)) {
    Fail("the profile lost another program's section");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static Harness harness;
  theHarness = &harness;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Harness& harness = *theHarness;
  harness.Reset();
  FuzzInput input(data, size);
  harness.world.WriteProfile(input);

  stamp::platform::ScriptedUi ui;
  ui.Install();
  HostWatch watch(harness.record);
  FuzzedSession session{harness.record, harness.world, ui, watch, input};
  for (int step = 0; step < kMaxSteps && !input.empty(); ++step) RunStep(session);
  EndSession(session);

  plat_fault_clear();
  if (plat_live_object_count() != harness.liveObjects) Fail("a platform object leaked");
  CheckProfileKeptOtherSection(harness.world.profilePath());
  return 0;
}
