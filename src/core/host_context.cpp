#include "src/core/host_context.h"

namespace stamp {

std::u16string HostContext::hostDirectory() const {
  std::u16string directory;
  for (uint32_t unit = 0; unit < STAMP_HOST_DIRECTORY_CAPACITY; ++unit) {
    const auto c = Read<char16_t>(STAMP_REC_HOST_DIRECTORY + 2 * unit);
    if (c == u'\0') break;
    directory.push_back(c);
  }
  return directory;
}

void HostContext::setUpdateRect(int32_t a, int32_t b, int32_t c, int32_t d) {
  const int32_t values[] = {a, b, c, d};
  for (uint32_t i = 0; i < 4; ++i) Write(STAMP_REC_UPDATE_RECT + 4 * i, values[i]);
}

// A buffer field the host left null names no memory: its view holds no pixel, whatever sizes the
// record gives, so nothing is read or written through address 0 and the bytes after it.
ImageView HostContext::canvasView(uint8_t* buffer) const {
  if (!valid() || buffer == nullptr) return {};
  return {buffer, canvasWidth(), canvasHeight(), canvasBytes()};
}

ImageView HostContext::panelRaster() const {
  if (panelBuffer() == nullptr) return {};
  return {panelBuffer(), STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT, panelBytes()};
}

uint8_t* HostContext::layerBuffer(int32_t layer) const {
  const int field = stamp_rec_layer_buffer(layer);
  return field < 0 ? nullptr : Pointer(static_cast<uint32_t>(field));
}

}  // namespace stamp
