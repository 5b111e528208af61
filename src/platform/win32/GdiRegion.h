// Window-system regions made from the portable region in one go.
#pragma once

#include "platform/Region.h"
#include "platform/win32/Handles.h"

namespace zr {

// An empty region for an empty area; no handle when the window system
// refuses one (out of resources).
UniqueRegion MakeGdiRegion(const Region& region);

}  // namespace zr
