// The one place a rectangle of ours becomes the system's RECT and back; the
// fields are the same, only the types differ.
#pragma once

#include <windows.h>

#include "platform/Geometry.h"

namespace zr {

inline RECT ToRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline PixelRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace zr
