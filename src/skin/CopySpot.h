// The one drawing primitive of the skin: a spot's rectangle copied 1:1 from
// a state image into the frame at the same place.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Geometry.h"
#include "platform/ImageDecoder.h"

namespace zr {

// The part of the spot that lies in both the frame and the source image; a
// spot from a hand-edited file may lie partly or wholly outside either, or
// have no area. nullopt when nothing is left to copy.
std::optional<PixelRect> ClipSpot(const PixelRect& spot, std::int32_t frameWidth, std::int32_t frameHeight,
                                   std::int32_t sourceWidth, std::int32_t sourceHeight);

void CopySpot(RgbImage& frame, const RgbImage& source, const PixelRect& spot);

}  // namespace zr
