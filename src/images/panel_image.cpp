#include "src/images/panel_image.h"

#include <cstring>
#include <vector>

#include "src/core/messages.h"
#include "src/images/make_bitmap_info.h"
#include "src/images/selected_bitmap.h"

namespace stamp {
namespace {

constexpr uint16_t kPanelBitsPerPixel = 24;

// The pixel code reads and writes kPanelImageBytes of 24-bit pixels, so a header for any other
// depth (a host whose canvasDC is not 24-bit) would give too little or wrongly laid out memory.
bool DescribesPanelFormat(const std::vector<uint8_t>& info) {
  if (info.size() < sizeof(PlatBitmapInfoHeader)) return false;
  PlatBitmapInfoHeader header;
  std::memcpy(&header, info.data(), sizeof header);
  return header.biBitCount == kPanelBitsPerPixel;
}

// Makes the device-independent bitmap in the panel context, in the format of a bitmap compatible
// with canvasDC, and selects it into the context. False when any step fails; the bitmap is then
// not made and nothing is selected.
bool CreatePanelBitmap(PlatHandle canvasDC, PanelImage& image) {
  const PlatHandle compatible =
      plat_create_compatible_bitmap(canvasDC, kPanelImageWidth, kPanelImageHeight);
  if (compatible == 0) return false;
  const std::vector<uint8_t> info = MakeBitmapInfo(compatible);
  plat_delete_object(compatible);
  if (!DescribesPanelFormat(info)) return false;
  void* bits = nullptr;
  image.bitmap = plat_create_dib_section(image.context, info.data(), PLAT_DIB_RGB_COLORS, &bits);
  if (image.bitmap == 0) return false;
  image.pixels = static_cast<uint8_t*>(bits);
  image.previousBitmap = plat_select_object(image.context, image.bitmap);
  return true;
}

}  // namespace

bool CreatePanelImage(const std::u16string& path, const HostContext& host, PanelImage& image) {
  // A context that cannot be made (no memory for its stock bitmap) is an allocation failure.
  const PlatHandle source = plat_create_compatible_dc(0);
  if (source == 0) {
    plat_message_box(kMemoryAllocationError);
    return false;
  }
  const PlatHandle file = plat_load_bitmap_file(path.c_str());
  if (file == 0) {
    plat_message_box(kDataFileLoadError);
    plat_delete_dc(source);
    return false;
  }
  const PlatHandle sourcePrevious = plat_select_object(source, file);

  image = PanelImage{};
  image.context = plat_create_compatible_dc(0);
  const bool created = image.context != 0 && CreatePanelBitmap(host.canvasDC(), image);
  if (created) {
    plat_bit_blt(image.context, 0, 0, kPanelImageWidth, kPanelImageHeight, source, 0, 0,
                 PLAT_SRCCOPY);
  }
  ReleaseSelectedBitmap(source, sourcePrevious, file);
  if (!created) {
    if (image.context != 0) plat_delete_dc(image.context);  // released with the rest
    image = PanelImage{};
    plat_message_box(kMemoryAllocationError);
  }
  return created;
}

void ReleasePanelImage(PanelImage& image) {
  if (image.context == 0) return;
  ReleaseSelectedBitmap(image.context, image.previousBitmap, image.bitmap);
  image = PanelImage{};
}

}  // namespace stamp
