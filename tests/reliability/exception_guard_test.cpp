// No exception leaves the module: operator new fails at each allocation the module's code makes
// during a whole session in turn, and every export still returns to the host, with no platform
// object left behind (and, in the sanitizer build, no leaked memory). A start-up cut short shows
// the allocation failure and a later start-up works.
#include <dlfcn.h>
#include <execinfo.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <new>

#include "plugin/module_fixture.h"
#include "src/panel/layout.h"
#include "stamp/plugin.h"

namespace {

constexpr int kFramesSeen = 12;

// While armed, the allocation of the module's code that brings the count below zero fails.
bool gArmed = false;
int64_t gAllocationsBeforeFailure = 0;
const void* gModuleBase = nullptr;

bool IsStandardLibrary(const Dl_info& info) {
  return info.dli_fname != nullptr && std::strstr(info.dli_fname, "libstdc++") != nullptr;
}

bool InModule(const void* address) {
  Dl_info info{};
  return dladdr(address, &info) != 0 && info.dli_fbase == gModuleBase;
}

// An allocation whose direct caller lies in the module is the module's; otherwise, past this
// program's own frames (a sanitizer runtime may stand before them, in its backtrace), the first
// caller outside the standard library decides. The first test spares the backtrace, which costs
// far more than the session itself, for most of the module's allocations.
bool AllocatedByModule(const void* caller) {
  if (InModule(caller)) return true;
  std::array<void*, kFramesSeen> frames{};
  const int depth = backtrace(frames.data(), kFramesSeen);
  Dl_info self{};
  dladdr(reinterpret_cast<void*>(&AllocatedByModule), &self);
  bool pastSelf = false;
  for (int i = 0; i < depth; ++i) {
    Dl_info info{};
    if (dladdr(frames[i], &info) == 0) return false;
    if (info.dli_fbase == self.dli_fbase) {
      pastSelf = true;
      continue;
    }
    if (!pastSelf || IsStandardLibrary(info)) continue;
    return info.dli_fbase == gModuleBase;
  }
  return false;
}

// Once the failure has been thrown the count stays below zero, and nothing more is looked at.
void* Allocate(std::size_t size, const void* caller) {
  if (gArmed && gAllocationsBeforeFailure >= 0 && AllocatedByModule(caller) &&
      gAllocationsBeforeFailure-- == 0) {
    throw std::bad_alloc();
  }
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size, __builtin_return_address(0)); }
void* operator new[](std::size_t size) { return Allocate(size, __builtin_return_address(0)); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace stamp::test {
namespace {

// The dial, a cell of the grid, plus, minus.
constexpr std::array<PanelPoint, 4> kControls = {{{60, 40}, {150, 50}, {95, 15}, {95, 105}}};
constexpr PanelPoint kFileButton = {200, 105};
constexpr PanelPoint kCanvasPoint = {40, 40};

class ExceptionGuardTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(plugin.init), &info), 0);
    gModuleBase = info.dli_fbase;
    std::array<void*, 1> warmUp{};
    backtrace(warmUp.data(), 1);  // loads the unwinder before any allocation is watched
  }

  // Every export once or more, the load dialog included; the start-up's result.
  int32_t Session(platform::ScriptedUi& sessionUi, const std::u16string& sheet) {
    const int32_t started = Start();
    plugin.updateSubmenu();
    plugin.submenuDown(kControls[0].x, kControls[0].y);
    plugin.submenuMove(kControls[0].x + 1, kControls[0].y);
    for (const PanelPoint& control : kControls) plugin.submenuUp(control.x, control.y);
    plugin.keyA();
    plugin.keyB();
    sessionUi.QueueType(STAMP_LOAD_DIALOG_PATH_BOX, sheet);
    sessionUi.QueueOk();
    plugin.submenuUp(kFileButton.x, kFileButton.y);
    plugin.mouseDown(kCanvasPoint.x, kCanvasPoint.y);
    plugin.mouseMove(0, 0, kCanvasPoint.x + 1, kCanvasPoint.y);
    plugin.mouseUp(kCanvasPoint.x + 1, kCanvasPoint.y);
    plugin.updateSubmenu();
    plugin.destroy();
    return started;
  }
};

TEST_F(ExceptionGuardTest, EveryAllocationOfASessionMayFail) {
  StoreSheetPath(WriteSheet("first.bmp", 1));
  const std::u16string second = WriteSheet("second.bmp", 2);
  bool failureReached = true;
  int64_t failing = 0;
  for (; failureReached; ++failing) {
    SCOPED_TRACE("allocation " + std::to_string(failing));
    platform::ScriptedUi sessionUi;
    sessionUi.Install();
    gAllocationsBeforeFailure = failing;
    gArmed = true;
    const int32_t started = Session(sessionUi, second);
    gArmed = false;
    failureReached = gAllocationsBeforeFailure < 0;
    liveObjects.ExpectAllReleased();
    if (started == 0) {
      ASSERT_FALSE(sessionUi.messages().empty());
      EXPECT_EQ(sessionUi.messages().back(), kMemoryError);
    }
    EXPECT_EQ(Start(), 1) << "a start-up after the failure";
    plugin.destroy();
  }
  EXPECT_GT(failing, 1) << "the session made no allocation to fail";
  ui.Install();
}

}  // namespace
}  // namespace stamp::test
