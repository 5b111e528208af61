// Skin images on the window system's drawing surfaces.
#pragma once

#include <windows.h>

#include "platform/Geometry.h"
#include "platform/ImageDecoder.h"
#include "platform/win32/Handles.h"

namespace zr {

// A top-down 24-bit section bitmap with the image's pixels, to select into a
// memory drawing context; no handle for an empty image or when GDI refuses.
UniqueBitmap MakeDibSection(const RgbImage& image);

// The size of the bitmap selected into a memory drawing context; 0 × 0 when none is.
SIZE SelectedBitmapSize(HDC dc);

// `area` of `source` 1:1 into `frame` at the same place; the caller has
// clipped it to both bitmaps.
void CopyArea(HDC frame, HDC source, const PixelRect& area);

}  // namespace zr
