#include "skin/CopySpot_win.h"

#include "platform/win32/GdiImages.h"

namespace zr {

void CopySpot(HDC frame, HDC source, const PixelRect& spot) {
  const SIZE frameSize = SelectedBitmapSize(frame), sourceSize = SelectedBitmapSize(source);
  if (const auto area = ClipSpot(spot, frameSize.cx, frameSize.cy, sourceSize.cx, sourceSize.cy))
    CopyArea(frame, source, *area);
}

}  // namespace zr
