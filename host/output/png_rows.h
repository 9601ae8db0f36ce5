// What both PNG writers share: the checks a picture in memory must pass, and its rows read top
// row first as a RowPicture.
#pragma once

#include "host/output/png_writer.h"

namespace stamp::host {

// Succeeds when the picture's sizes and stride fit its pixels; else fails saying what is wrong.
Status CheckPicture(const Picture24& picture);

// The picture's rows, top row first, copied out of memory; picture must outlive the result.
RowPicture PictureRows(const Picture24& picture);

}  // namespace stamp::host
