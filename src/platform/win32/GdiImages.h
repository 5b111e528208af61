// Skin images on the window system's drawing surfaces.
#pragma once

#include "platform/ImageDecoder.h"
#include "platform/win32/Handles.h"
#include "skin/CopySpot.h"

namespace zr {

// A top-down 24-bit section bitmap with the image's pixels, to select into a
// memory drawing context; no handle for an empty image or when GDI refuses.
UniqueBitmap MakeDibSection(const RgbImage& image);

// Copy spot between two memory drawing contexts with section bitmaps
// selected: the spot's pixels of `source` into `frame` at the same place,
// only where both bitmaps have pixels.
void CopySpot(HDC frame, HDC source, SpotArea spot);

}  // namespace zr
