// Row loops: the rectangle operations for rectangles wholly inside their buffers (RectRows), one
// plain loop over each row's bytes with no bounds test, which the compiler vectorises. They give
// the walk's bytes: the same channel operations, with the division by 255 in its shift form.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pixel/inside_rows.h"

namespace stamp {

using RowLoop = void (*)(const RectRows& rows);

// The loop of a blend mode 0..10, or of the raster operation at an index of kRasterOps.
RowLoop BlendRowLoop(size_t mode);
RowLoop RasterRowLoop(size_t index);

// Sets every byte of the rows to 255.
void WhiteRows(const RectRows& rows);

}  // namespace stamp
