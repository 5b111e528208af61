// Copy spot on the window system's drawing surfaces.
#pragma once

#include <windows.h>

#include "skin/CopySpot.h"

namespace zr {

// Between two memory drawing contexts with section bitmaps selected: the
// spot's pixels of `source` into `frame` at the same place, only where both
// bitmaps have pixels.
void CopySpot(HDC frame, HDC source, const PixelRect& spot);

}  // namespace zr
