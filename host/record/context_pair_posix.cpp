// A context over the host's own raster: the bitmap laid over memory the host already has is the
// POSIX back end's alone (GDI makes a DIB section's memory itself).
#include "host/record/context_pair.h"
#include "stamp/platform_host.h"

namespace stamp::host {

ContextPair ContextPair::OverRaster(const RasterView& raster,
                                    const std::optional<TextStyle>& style) {
  ContextPair pair;
  pair.dc_ = Made(plat_create_compatible_dc(0), "a drawing context");
  pair.SelectBitmap(Made(plat_create_bitmap_over_raster(raster.width, raster.height, raster.bytes),
                         "a bitmap over a raster"));
  if (style) pair.ApplyStyle(*style);
  return pair;
}

}  // namespace stamp::host
