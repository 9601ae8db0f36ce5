#include "support/test_host.h"

#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace stamp::test {
namespace {

constexpr size_t kGuardBytes = 64;
constexpr uint8_t kGuardByte = 0xA5;
constexpr uint8_t kWhite = 0xFF;

std::filesystem::path TemporaryProfile() {
  char pattern[] = "/tmp/stamp-profile-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) throw std::runtime_error("cannot create a temporary profile");
  close(fd);
  std::filesystem::remove(pattern);  // the profile starts out missing, as on a first run
  return pattern;
}

}  // namespace

GuardedBuffer::GuardedBuffer(size_t bytes, uint8_t fill) : bytes_(bytes) {
  block_ = static_cast<uint8_t*>(plat_alloc_low(bytes + 2 * kGuardBytes));
  if (block_ == nullptr) throw std::runtime_error(plat_last_error());
  data_ = block_ + kGuardBytes;
  std::memset(block_, kGuardByte, kGuardBytes);
  std::memset(data_, fill, bytes);
  std::memset(data_ + bytes, kGuardByte, kGuardBytes);
}

GuardedBuffer::GuardedBuffer(GuardedBuffer&& other) noexcept { *this = std::move(other); }

GuardedBuffer& GuardedBuffer::operator=(GuardedBuffer&& other) noexcept {
  std::swap(block_, other.block_);
  std::swap(data_, other.data_);
  std::swap(bytes_, other.bytes_);
  return *this;
}

GuardedBuffer::~GuardedBuffer() {
  if (block_ != nullptr) plat_free_low(block_);
}

uint32_t GuardedBuffer::address32() const {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(data_));
}

bool GuardedBuffer::guardsIntact() const {
  for (size_t i = 0; i < kGuardBytes; ++i) {
    if (block_[i] != kGuardByte || data_[bytes_ + i] != kGuardByte) return false;
  }
  return true;
}

TestHost::TestHost(int32_t canvasWidth, int32_t canvasHeight,
                   const std::filesystem::path& hostDirectory,
                   const std::filesystem::path& profile)
    : canvasWidth_(canvasWidth), canvasHeight_(canvasHeight), record_(STAMP_REC_SIZE) {
  profilePath_ = profile.empty() ? TemporaryProfile() : profile;
  ownsProfile_ = profile.empty();
  app_ = plat_app_create(profilePath_.c_str());
  if (app_ == nullptr) throw std::runtime_error(plat_last_error());
  mainWindow_ = plat_create_window();
  frameWindow_ = plat_create_window();
  frameObject_ = GuardedBuffer(STAMP_FRAME_WINDOW_OBJECT_SIZE);
  std::memcpy(frameObject_.data() + STAMP_FRAME_WINDOW_HANDLE, &frameWindow_, sizeof frameWindow_);

  setInt(STAMP_REC_MAIN_WINDOW, static_cast<int32_t>(mainWindow_));
  setInt(STAMP_REC_FRAME_WINDOW, static_cast<int32_t>(frameObject_.address32()));
  setInt(STAMP_REC_PROFILE_APP, static_cast<int32_t>(reinterpret_cast<uintptr_t>(app_)));
  setHostDirectory(hostDirectory.empty() ? HostFolder() : hostDirectory);
  AllocateBuffers();
  CreateContexts();
}

TestHost::~TestHost() {
  plat_select_object(panelDC_, panelPrevious_);
  plat_delete_object(panelBitmap_);
  plat_delete_dc(panelDC_);
  plat_select_object(canvasDC_, canvasPrevious_);
  plat_delete_object(canvasBitmap_);
  plat_delete_dc(canvasDC_);
  plat_destroy_window(mainWindow_);
  plat_destroy_window(frameWindow_);
  plat_app_destroy(app_);
  if (ownsProfile_) std::filesystem::remove(profilePath_);
}

void TestHost::AllocateBuffers() {
  const size_t canvas = canvasBytes();
  const size_t panel = size_t{STAMP_PANEL_WIDTH} * STAMP_PANEL_HEIGHT * 3;
  setInt(STAMP_REC_CANVAS_WIDTH, canvasWidth_);
  setInt(STAMP_REC_CANVAS_HEIGHT, canvasHeight_);
  setInt(STAMP_REC_CANVAS_COPY_BYTES, static_cast<int32_t>(canvas));
  setInt(STAMP_REC_CANVAS_BYTES, static_cast<int32_t>(canvas));
  setInt(STAMP_REC_PANEL_BYTES, static_cast<int32_t>(panel));
  buffers_.emplace_back(STAMP_REC_PANEL_BUFFER, GuardedBuffer(panel));
  for (uint32_t offset : {STAMP_REC_OVERLAY_BUFFER, STAMP_REC_UNDO_BUFFER, STAMP_REC_LAYER0_BUFFER,
                          STAMP_REC_LAYER2_BUFFER, STAMP_REC_LAYER1_BUFFER, STAMP_REC_OVERLAY_SAVE,
                          STAMP_REC_SCRATCH_BUFFER, STAMP_REC_STAMP_BUFFER}) {
    buffers_.emplace_back(offset, GuardedBuffer(canvas, kWhite));
  }
  for (const auto& [offset, buffer] : buffers_) SetPointer(offset, buffer);
}

void TestHost::CreateContexts() {
  panelBitmap_ = plat_create_bitmap_over_raster(STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT,
                                                buffer(STAMP_REC_PANEL_BUFFER));
  panelDC_ = plat_create_compatible_dc(0);
  panelPrevious_ = plat_select_object(panelDC_, panelBitmap_);
  canvasBitmap_ = plat_create_compatible_bitmap(0, 1, 1);
  canvasDC_ = plat_create_compatible_dc(0);
  canvasPrevious_ = plat_select_object(canvasDC_, canvasBitmap_);
  setInt(STAMP_REC_PANEL_DC, static_cast<int32_t>(panelDC_));
  setInt(STAMP_REC_CANVAS_DC, static_cast<int32_t>(canvasDC_));
}

void TestHost::SetPointer(uint32_t offset, const GuardedBuffer& buffer) {
  setInt(offset, static_cast<int32_t>(buffer.address32()));
}

int32_t TestHost::getInt(uint32_t offset) const {
  int32_t value;
  std::memcpy(&value, record() + offset, sizeof value);
  return value;
}

void TestHost::setInt(uint32_t offset, int32_t value) {
  std::memcpy(record() + offset, &value, sizeof value);
}

uint8_t* TestHost::buffer(uint32_t offset) const {
  for (const auto& [field, block] : buffers_) {
    if (field == offset) return block.data();
  }
  return nullptr;
}

size_t TestHost::canvasBytes() const {
  return static_cast<size_t>(canvasWidth_) * static_cast<size_t>(canvasHeight_) * 3;
}

void TestHost::setHostDirectory(const std::filesystem::path& folder) {
  std::u16string text;
  for (char c : folder.string()) text.push_back(c == '/' ? u'\\' : static_cast<char16_t>(c));
  if (text.empty() || text.back() != u'\\') text.push_back(u'\\');
  if (text.size() >= STAMP_HOST_DIRECTORY_CAPACITY) throw std::runtime_error("folder too long");
  text.push_back(u'\0');
  std::memcpy(record() + STAMP_REC_HOST_DIRECTORY, text.data(), text.size() * sizeof(char16_t));
}

bool TestHost::guardsIntact() const {
  if (!record_.guardsIntact() || !frameObject_.guardsIntact()) return false;
  for (const auto& [offset, buffer] : buffers_) {
    if (!buffer.guardsIntact()) return false;
  }
  return true;
}

std::filesystem::path HostFolder() { return STAMP_TEST_HOST_DIR; }
std::filesystem::path FixtureFolder() { return STAMP_TEST_FIXTURE_DIR; }

std::u16string WindowsPath(const std::filesystem::path& path) {
  std::u16string text;
  for (char c : path.string()) text.push_back(c == '/' ? u'\\' : static_cast<char16_t>(c));
  return text;
}

}  // namespace stamp::test
