// An area of whole pixels with the meaning of a window-system region: made
// of rectangles, combined by exclusive or, compared by content. It is kept in
// the window system's own form, horizontal bands of sorted spans, so that it
// hands over as one rectangle list, and the same area has only one form, so
// two regions are equal exactly when they cover the same pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/Geometry.h"

namespace zr {

class Region {
 public:
  Region() = default;  // empty

  // As a rectangle region is made: corners in either order; no area, no pixels.
  static Region Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  static Region Rectangle(const PixelRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }

  // Builds a region band by band, top to bottom; bands may not overlap.
  class Builder {
   public:
    // `boundaries` holds span edges in increasing order: left, right, left, right…
    void AddBand(std::int32_t top, std::int32_t bottom, std::span<const std::int32_t> boundaries);
    Region Finish();

   private:
    std::vector<std::int32_t> boundaries_;
    struct Band {
      std::int32_t top, bottom;
      std::uint32_t begin, end;  // into boundaries_
    };
    std::vector<Band> bands_;
    friend class Region;
  };

  // The pixels in exactly one of the two.
  Region Xor(const Region& other) const;

  bool Empty() const { return bands_.empty(); }
  bool Contains(std::int32_t x, std::int32_t y) const;
  std::int64_t Area() const;
  PixelRect Bounds() const;
  // Banded order: by top, then by left; what a rectangle-list region takes.
  std::vector<PixelRect> Rectangles() const;

  bool operator==(const Region& other) const;

 private:
  using Band = Builder::Band;
  std::span<const std::int32_t> Spans(const Band& band) const {
    return std::span<const std::int32_t>(boundaries_).subspan(band.begin, band.end - band.begin);
  }

  std::vector<std::int32_t> boundaries_;
  std::vector<Band> bands_;
};

}  // namespace zr
