#include "platform/posix/gdi/gdi_context.h"

#include "platform/portable/last_error.h"
#include "platform/posix/text/font.h"

namespace stamp::platform {
namespace {

constexpr int32_t kStockBitmapSide = 1;

// Creates the stock bitmap and font and the context that owns them; 0 when any part fails,
// with the parts already made removed again.
PlatHandle CreateContext() {
  const PlatHandle bitmap =
      AddBitmap(MakeOwnedBitmap(kStockBitmapSide, kStockBitmapSide, MonochromeFormat(), false));
  if (bitmap == 0) return 0;
  const PlatHandle font = AddObject(std::make_unique<Font>(kDefaultFontHeight));
  auto context = std::make_unique<Context>();
  context->bitmap = context->stockBitmap = bitmap;
  context->font = context->stockFont = font;
  const PlatHandle dc = font == 0 ? PlatHandle{0} : AddObject(std::move(context));
  if (dc == 0) {
    RemoveObject(bitmap);
    RemoveObject(font);
    return 0;
  }
  Bitmap* stockBitmap = Find<Bitmap>(bitmap);
  stockBitmap->stockOwner = stockBitmap->selectedInto = dc;
  Font* stockFont = Find<Font>(font);
  stockFont->stockOwner = dc;
  stockFont->selections = 1;
  return dc;
}

}  // namespace

Bitmap* SelectedBitmap(PlatHandle dc) {
  const Context* context = Find<Context>(dc);
  if (context == nullptr) return Fail("not a drawing context", nullptr);
  return Find<Bitmap>(context->bitmap);
}

}  // namespace stamp::platform

using stamp::platform::Context;
using stamp::platform::Fail;
using stamp::platform::Find;
using stamp::platform::Font;

PlatHandle plat_create_compatible_dc(PlatHandle dc) {
  if (dc != 0 && Find<Context>(dc) == nullptr) return Fail("not a drawing context", PlatHandle{0});
  return stamp::platform::GuardedCall(PlatHandle{0},
                                      [] { return stamp::platform::CreateContext(); });
}

int32_t plat_delete_dc(PlatHandle dc) {
  const Context* context = Find<Context>(dc);
  if (context == nullptr) return Fail("plat_delete_dc: not a drawing context", 0);
  if (context->bitmap != context->stockBitmap) {
    return Fail("plat_delete_dc: a bitmap is still selected into the context", 0);
  }
  if (context->font != context->stockFont) --Find<Font>(context->font)->selections;
  const PlatHandle stockBitmap = context->stockBitmap;
  const PlatHandle stockFont = context->stockFont;
  stamp::platform::RemoveObject(stockBitmap);
  stamp::platform::RemoveObject(stockFont);
  stamp::platform::RemoveObject(dc);
  return 1;
}
