// Row loops: the rectangle operations for rectangles wholly inside their buffers (RectRows), one
// plain loop over each row's bytes with no bounds test, which the compiler vectorises. They give
// the walk's bytes: the same channel operations, with the division by 255 in its shift form.
#pragma once

#include <cstddef>
#include <cstdint>

#include "src/pixel/inside_rows.h"

namespace stamp {

using RowLoop = void (*)(const RectRows& rows);

// The loop of a blend mode 0..10, or of the raster operation at an index of kRasterOps, built
// for this processor.
RowLoop BlendRowLoop(size_t mode);
RowLoop RasterRowLoop(size_t index);

// Both builds of a loop: the SSE2 baseline, and the AVX2 build, which runs only on a processor
// with AVX2. The engine takes one of them; tests check each against the walk.
struct RowLoopBuilds {
  RowLoop baseline;
  RowLoop avx2;
};
RowLoopBuilds BlendRowLoopBuilds(size_t mode);
RowLoopBuilds RasterRowLoopBuilds(size_t index);

// Sets every byte of the rows to 255.
void WhiteRows(const RectRows& rows);

}  // namespace stamp
