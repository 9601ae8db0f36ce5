// Pins every field of the host record to its byte offset: a host built from the published table
// and the plug-in must agree on each one.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <utility>

#include "src/core/host_context.h"

namespace stamp {
namespace {

class RecordTest : public ::testing::Test {
 protected:
  void Put(uint32_t offset, uint32_t value) { std::memcpy(bytes.data() + offset, &value, 4); }
  uint32_t Get(uint32_t offset) const {
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
  }
  uint8_t* Address(uint32_t value) const { return reinterpret_cast<uint8_t*>(uintptr_t{value}); }

  alignas(8) std::array<uint8_t, 1024> bytes{};
  HostContext host{bytes.data()};
};

TEST_F(RecordTest, ScalarFieldsSitAtTheirOffsets) {
  const struct {
    uint32_t offset;
    int32_t (HostContext::*read)() const;
  } fields[] = {
      {660, &HostContext::hostFlagA},       {672, &HostContext::hostFlagB},
      {704, &HostContext::activeLayer},     {728, &HostContext::viewY},
      {732, &HostContext::viewX},           {740, &HostContext::zoomShift},
      {812, &HostContext::canvasWidth},     {816, &HostContext::canvasHeight},
      {820, &HostContext::canvasCopyBytes}, {828, &HostContext::panelBytes},
      {832, &HostContext::canvasBytes},
  };
  uint32_t value = 1000;
  for (const auto& field : fields) {
    Put(field.offset, ++value);
    EXPECT_EQ((host.*field.read)(), static_cast<int32_t>(value)) << "offset " << field.offset;
  }
}

TEST_F(RecordTest, BufferFieldsSitAtTheirOffsets) {
  const struct {
    uint32_t offset;
    uint8_t* (HostContext::*read)() const;
  } fields[] = {
      {836, &HostContext::panelBuffer},   {840, &HostContext::overlayBuffer},
      {844, &HostContext::undoBuffer},    {860, &HostContext::overlaySave},
      {864, &HostContext::scratchBuffer}, {868, &HostContext::stampBuffer},
      {4, &HostContext::frameWindow},
  };
  uint32_t value = 0x10000;
  for (const auto& field : fields) {
    Put(field.offset, value += 0x100);
    EXPECT_EQ((host.*field.read)(), Address(value)) << "offset " << field.offset;
  }
}

TEST_F(RecordTest, LayersStandInTheOrderZeroTwoOne) {
  Put(848, 0x1000);
  Put(852, 0x2000);
  Put(856, 0x3000);
  EXPECT_EQ(host.layerBuffer(0), Address(0x1000));
  EXPECT_EQ(host.layerBuffer(1), Address(0x3000));
  EXPECT_EQ(host.layerBuffer(2), Address(0x2000));
  EXPECT_EQ(host.layerBuffer(3), nullptr);
  EXPECT_EQ(host.layerBuffer(-1), nullptr);
}

TEST_F(RecordTest, HandlesAndApplicationObject) {
  Put(0, 77);
  Put(8, 0x4000);
  Put(892, 78);
  Put(940, 79);
  EXPECT_EQ(host.mainWindow(), 77u);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(host.profileApp()), Address(0x4000));
  EXPECT_EQ(host.panelDC(), 78u);
  EXPECT_EQ(host.canvasDC(), 79u);
}

TEST_F(RecordTest, WrittenFieldsLandAtTheirOffsets) {
  host.setLayerTouched(0, 1);
  host.setLayerTouched(2, 3);
  host.setUpdateRect(4, 5, 6, 7);
  host.setHostFlagA(8);
  host.setHostFlagB(9);
  host.setUndoLayer(2);
  const std::pair<uint32_t, uint32_t> written[] = {{544, 1}, {552, 3}, {556, 4}, {560, 5}, {564, 6},
                                                   {568, 7}, {660, 8}, {672, 9}, {724, 2}};
  for (const auto& [offset, value] : written) EXPECT_EQ(Get(offset), value) << "offset " << offset;
}

// Read up to its terminator, or up to the next field when it has none.
TEST_F(RecordTest, HostDirectoryEndsAtItsTerminatorOrAtTheNextField) {
  const char16_t text[] = u"\\opt\\paint\\";
  std::memcpy(bytes.data() + 16, text, sizeof text);
  EXPECT_EQ(host.hostDirectory(), u"\\opt\\paint\\");
  for (uint32_t i = 16; i < 544; i += 2) bytes[i] = 'a';
  Put(544, 'b');
  EXPECT_EQ(host.hostDirectory(), std::u16string(264, u'a'));
}

}  // namespace
}  // namespace stamp
