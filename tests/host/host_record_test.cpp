// The host record library: a complete record whose every buffer lies below 4 GiB, guard zones
// that catch a write past either end of a buffer, the canvas sizes a record can hold, and BMP
// files with a buffer's exact pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "host/record/canvas_size.h"
#include "host/record/complete_record.h"
#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/portable/bmp/bmp_encoder.h"
#include "platform/testing/platform_testing.h"

namespace stamp::host {
namespace {

HostRecordOptions SmallRecord() {
  HostRecordOptions options;
  options.canvasWidth = 7;
  options.canvasHeight = 5;
  options.hostDirectory = u"\\opt\\host\\";
  options.profilePath = (std::filesystem::temp_directory_path() / "stamp-record-test.ini").string();
  options.panelFill = 0x3C;
  return options;
}

TEST(HostRecord, EveryFieldNamesWhatTheHostMade) {
  const HostRecord record(SmallRecord());
  EXPECT_EQ(record.getInt(STAMP_REC_CANVAS_WIDTH), 7);
  EXPECT_EQ(record.getInt(STAMP_REC_CANVAS_HEIGHT), 5);
  EXPECT_EQ(record.getInt(STAMP_REC_CANVAS_BYTES), 105);
  EXPECT_EQ(record.getInt(STAMP_REC_CANVAS_COPY_BYTES), 105);
  EXPECT_EQ(record.getInt(STAMP_REC_PANEL_BYTES), 240 * 1050 * 3);
  for (const BufferField& field : kBufferFields) {
    const uint8_t* buffer = record.buffer(field.offset);
    ASSERT_NE(buffer, nullptr) << field.name;
    EXPECT_EQ(static_cast<uint32_t>(record.getInt(field.offset)),
              reinterpret_cast<uintptr_t>(buffer))
        << field.name << " lies below 4 GiB and its field points at it";
    const bool panel = field.offset == STAMP_REC_PANEL_BUFFER;
    EXPECT_EQ(buffer[0], panel ? 0x3C : 0xFF) << field.name;
  }
  EXPECT_EQ(record.raster(stamp_rec_layer_buffer(1)).bytes, record.buffer(STAMP_REC_LAYER1_BUFFER));
  EXPECT_EQ(stamp_rec_layer_buffer(2), int{STAMP_REC_LAYER2_BUFFER});
  EXPECT_EQ(stamp_rec_layer_buffer(3), -1);
  const auto* directory =
      reinterpret_cast<const char16_t*>(record.record() + STAMP_REC_HOST_DIRECTORY);
  EXPECT_EQ(std::u16string(directory), u"\\opt\\host\\");
  const auto* frame = reinterpret_cast<const uint8_t*>(
      static_cast<uintptr_t>(static_cast<uint32_t>(record.getInt(STAMP_REC_FRAME_WINDOW))));
  PlatHandle frameWindow = 0;
  std::memcpy(&frameWindow, frame + STAMP_FRAME_WINDOW_HANDLE, sizeof frameWindow);
  EXPECT_EQ(frameWindow, record.frameWindowHandle());
  EXPECT_EQ(static_cast<PlatHandle>(record.getInt(STAMP_REC_MAIN_WINDOW)), record.mainWindow());
}

TEST(HostRecord, PanelContextDrawsIntoThePanelRasterInTheChosenStyle) {
  HostRecordOptions options = SmallRecord();
  options.panelText = TextStyle{12, 0x0000FF, PLAT_TRANSPARENT};
  const HostRecord record(options);
  const auto dc = static_cast<PlatHandle>(record.getInt(STAMP_REC_PANEL_DC));
  const PlatRect rect{10, 800, 60, 812};
  ASSERT_GT(plat_draw_text(dc, u"88", -1, &rect, 0), 0);
  const RasterView panel = record.raster(STAMP_REC_PANEL_BUFFER);
  int red = 0;
  int untouched = 0;
  for (int32_t y = 800; y < 812; ++y) {
    for (int32_t x = 10; x < 60; ++x) {
      const uint8_t* p = panel.pixel(x, y);
      red += p[0] == 0 && p[1] == 0 && p[2] == 0xFF ? 1 : 0;
      untouched += p[0] == 0x3C && p[1] == 0x3C && p[2] == 0x3C ? 1 : 0;
    }
  }
  EXPECT_GT(red, 10) << "ink in the text colour";
  EXPECT_EQ(red + untouched, 50 * 12) << "a transparent background leaves the rest alone";
}

TEST(HostRecord, GuardZonesCatchWritesPastEitherEnd) {
  HostRecord record(SmallRecord());
  EXPECT_TRUE(record.damagedGuards().empty());
  record.buffer(STAMP_REC_LAYER2_BUFFER)[105] = 0;  // one byte past the end
  record.buffer(STAMP_REC_STAMP_BUFFER)[-1] = 0;    // one byte before the start
  EXPECT_EQ(record.damagedGuards(), (std::vector<std::string>{"layer2", "stamp"}));
}

TEST(HostRecord, WithoutGuardZonesNothingIsChecked) {
  const GuardedBuffer plain(16, 0x11, 0);
  EXPECT_TRUE(plain.guardsIntact());
  EXPECT_EQ(plain.data()[15], 0x11);
}

TEST(HostRecord, FailedAllocationThrowsNamingTheBufferAndLeaksNothing) {
  const int32_t liveBefore = plat_live_object_count();
  plat_fault_inject(PLAT_FAULT_ALLOC_LOW, 6);
  try {
    const HostRecord record(SmallRecord());
    ADD_FAILURE() << "the record was built";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(" buffer: "), std::string::npos) << error.what();
  }
  plat_fault_clear();
  EXPECT_EQ(plat_live_object_count(), liveBefore);
}

TEST(CanvasSize, LimitsOfTheRecordFieldsAndOfLowMemory) {
  EXPECT_EQ(CheckCanvasSize(480, 640).error(), "");
  // Eight buffers of w x h x 3 bytes and the 756000-byte panel must fit in 4 GiB.
  EXPECT_EQ(CheckCanvasSize(178925470, 1).error(), "");
  EXPECT_NE(CheckCanvasSize(178925471, 1).error().find("below 4 GiB"), std::string::npos);
  // One buffer's byte count must fit the int32 fields: 715827882 x 3 does, one pixel more not.
  EXPECT_NE(CheckCanvasSize(715827882, 1).error().find("below 4 GiB"), std::string::npos);
  EXPECT_NE(CheckCanvasSize(715827883, 1).error().find("record field"), std::string::npos);
  EXPECT_NE(CheckCanvasSize(100000, 100000).error().find("30000000000 bytes"), std::string::npos);
  EXPECT_NE(CheckCanvasSize(INT64_MAX, INT64_MAX).error().find("record field"), std::string::npos);
  EXPECT_NE(CheckCanvasSize(0, 5).error().find("no pixels"), std::string::npos);
  EXPECT_NE(CheckCanvasSize(5, -1).error().find("no pixels"), std::string::npos);
  HostRecordOptions options = SmallRecord();
  options.canvasWidth = 100000;
  options.canvasHeight = 100000;
  EXPECT_THROW(HostRecord{options}, std::runtime_error);
}

TEST(BmpEncoder, HoldsTheRasterExactlyWithRowsPadded) {
  // 5 pixels of 3 bytes make a 15-byte row, padded to 16 in the file.
  std::vector<uint8_t> pixels(5 * 3 * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7);
  const RasterView raster{pixels.data(), 5, 3};
  const std::vector<uint8_t> file = platform::EncodeBmp24(raster.bytes, 5, 3);
  EXPECT_EQ(file.size(), 54u + 16 * 3);
  const platform::BmpDecodeResult decoded = platform::DecodeBmp(file);
  ASSERT_TRUE(decoded.image) << decoded.error;
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 5; ++x) {
      const uint8_t* expected = raster.pixel(x, y);
      const uint8_t* got = &decoded.image->pixels[size_t(y * 5 + x) * 3];
      EXPECT_TRUE(std::equal(expected, expected + 3, got)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace stamp::host
