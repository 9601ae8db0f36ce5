// Selection of bitmaps and fonts into contexts, and deletion of either.
#include "platform/posix/gdi/gdi_context.h"
#include "platform/portable/last_error.h"
#include "platform/posix/text/font.h"

namespace stamp::platform {
namespace {

// A stock object belongs to its own context only.
bool StockOfAnother(PlatHandle stockOwner, PlatHandle dc) {
  return stockOwner != 0 && stockOwner != dc;
}

PlatHandle SelectBitmap(Context& context, PlatHandle dc, PlatHandle handle, Bitmap& bitmap) {
  if (bitmap.selectedInto == dc) return handle;
  if (bitmap.selectedInto != 0) {
    return Fail("plat_select_object: the bitmap is selected into another context", PlatHandle{0});
  }
  if (StockOfAnother(bitmap.stockOwner, dc)) {
    return Fail("plat_select_object: stock bitmap of another context", PlatHandle{0});
  }
  const PlatHandle previous = context.bitmap;
  Find<Bitmap>(previous)->selectedInto = 0;
  bitmap.selectedInto = dc;
  context.bitmap = handle;
  return previous;
}

PlatHandle SelectFont(Context& context, PlatHandle dc, PlatHandle handle, Font& font) {
  if (StockOfAnother(font.stockOwner, dc)) {
    return Fail("plat_select_object: stock font of another context", PlatHandle{0});
  }
  const PlatHandle previous = context.font;
  if (previous == handle) return handle;
  --Find<Font>(previous)->selections;
  ++font.selections;
  context.font = handle;
  return previous;
}

}  // namespace
}  // namespace stamp::platform

using stamp::platform::Bitmap;
using stamp::platform::Context;
using stamp::platform::Fail;
using stamp::platform::Find;
using stamp::platform::Font;

PlatHandle plat_select_object(PlatHandle dc, PlatHandle object) {
  Context* context = Find<Context>(dc);
  if (context == nullptr) return Fail("plat_select_object: not a drawing context", PlatHandle{0});
  if (Bitmap* bitmap = Find<Bitmap>(object); bitmap != nullptr) {
    return stamp::platform::SelectBitmap(*context, dc, object, *bitmap);
  }
  if (Font* font = Find<Font>(object); font != nullptr) {
    return stamp::platform::SelectFont(*context, dc, object, *font);
  }
  return Fail("plat_select_object: not a bitmap or font", PlatHandle{0});
}

// Stock objects are released with their context; deleting one succeeds and does nothing, as
// deleting a stock object does on Windows.
int32_t plat_delete_object(PlatHandle object) {
  if (const Bitmap* bitmap = Find<Bitmap>(object); bitmap != nullptr) {
    if (bitmap->stockOwner != 0) return 1;
    if (bitmap->selectedInto != 0) return Fail("plat_delete_object: bitmap still selected", 0);
  } else if (const Font* font = Find<Font>(object); font != nullptr) {
    if (font->stockOwner != 0) return 1;
    if (font->selections != 0) return Fail("plat_delete_object: font still selected", 0);
  } else {
    return Fail("plat_delete_object: not a bitmap or font", 0);
  }
  stamp::platform::RemoveObject(object);
  return 1;
}
