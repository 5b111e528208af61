#include "platform/Region.h"

#include <algorithm>
#include <limits>

namespace zr {

Region Region::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  Builder builder;
  const std::int32_t span[] = {left, right};
  if (left < right) builder.AddBand(top, bottom, span);
  return builder.Finish();
}

void Region::Builder::AddBand(std::int32_t top, std::int32_t bottom, std::span<const std::int32_t> boundaries) {
  if (top >= bottom || boundaries.empty()) return;
  if (!bands_.empty()) {
    Band& last = bands_.back();
    const auto lastSpans =
        std::span<const std::int32_t>(boundaries_).subspan(last.begin, last.end - last.begin);
    // Equal neighbours are one band: the one form per area that equality relies on.
    if (last.bottom == top && std::ranges::equal(lastSpans, boundaries)) {
      last.bottom = bottom;
      return;
    }
  }
  const auto begin = static_cast<std::uint32_t>(boundaries_.size());
  boundaries_.insert(boundaries_.end(), boundaries.begin(), boundaries.end());
  bands_.push_back({top, bottom, begin, static_cast<std::uint32_t>(boundaries_.size())});
}

Region Region::Builder::Finish() {
  Region region;
  region.boundaries_ = std::move(boundaries_);
  region.bands_ = std::move(bands_);
  boundaries_.clear();
  bands_.clear();
  return region;
}

namespace {

// A set of spans is the list of edges where membership flips, so the
// exclusive or of two sets flips at the edges of both; an edge in both flips
// twice and drops out.
void XorBoundaries(std::span<const std::int32_t> a, std::span<const std::int32_t> b, std::vector<std::int32_t>& out) {
  out.clear();
  std::size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (j == b.size() || (i < a.size() && a[i] < b[j])) {
      out.push_back(a[i++]);
    } else if (i == a.size() || b[j] < a[i]) {
      out.push_back(b[j++]);
    } else {
      ++i;
      ++j;
    }
  }
}

}  // namespace

Region Region::Xor(const Region& other) const {
  Builder builder;
  std::vector<std::int32_t> merged;
  std::size_t i = 0, j = 0;
  constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();
  std::int64_t y = std::numeric_limits<std::int64_t>::min();
  while (i < bands_.size() || j < other.bands_.size()) {
    // Where the next piece starts: the current y, or the top of whichever band comes next.
    const std::int64_t topA = i < bands_.size() ? std::max<std::int64_t>(bands_[i].top, y) : kNone;
    const std::int64_t topB = j < other.bands_.size() ? std::max<std::int64_t>(other.bands_[j].top, y) : kNone;
    const std::int64_t start = std::min(topA, topB);
    const bool inA = topA == start, inB = topB == start;
    std::int64_t end = kNone;
    if (inA) end = std::min<std::int64_t>(end, bands_[i].bottom);
    else if (i < bands_.size()) end = std::min<std::int64_t>(end, bands_[i].top);
    if (inB) end = std::min<std::int64_t>(end, other.bands_[j].bottom);
    else if (j < other.bands_.size()) end = std::min<std::int64_t>(end, other.bands_[j].top);

    const std::span<const std::int32_t> none;
    XorBoundaries(inA ? Spans(bands_[i]) : none, inB ? other.Spans(other.bands_[j]) : none, merged);
    builder.AddBand(static_cast<std::int32_t>(start), static_cast<std::int32_t>(end), merged);

    y = end;
    if (inA && bands_[i].bottom == end) ++i;
    if (inB && other.bands_[j].bottom == end) ++j;
  }
  return builder.Finish();
}

bool Region::Contains(std::int32_t x, std::int32_t y) const {
  const auto band = std::ranges::upper_bound(bands_, y, {}, &Band::top);
  if (band == bands_.begin()) return false;
  const Band& b = *std::prev(band);
  if (y >= b.bottom) return false;
  const auto spans = Spans(b);
  // Inside when an odd number of edges lie at or left of x.
  const auto edges = std::ranges::upper_bound(spans, x) - spans.begin();
  return edges % 2 == 1;
}

std::int64_t Region::Area() const {
  std::int64_t area = 0;
  for (const Band& band : bands_) {
    const auto spans = Spans(band);
    for (std::size_t k = 0; k + 1 < spans.size(); k += 2)
      area += (std::int64_t{spans[k + 1]} - spans[k]) * (std::int64_t{band.bottom} - band.top);
  }
  return area;
}

PixelRect Region::Bounds() const {
  if (bands_.empty()) return {};
  PixelRect bounds{std::numeric_limits<std::int32_t>::max(), bands_.front().top,
                    std::numeric_limits<std::int32_t>::min(), bands_.back().bottom};
  for (const Band& band : bands_) {
    bounds.left = std::min(bounds.left, boundaries_[band.begin]);
    bounds.right = std::max(bounds.right, boundaries_[band.end - 1]);
  }
  return bounds;
}

std::vector<PixelRect> Region::Rectangles() const {
  std::vector<PixelRect> rects;
  rects.reserve(boundaries_.size() / 2);
  for (const Band& band : bands_) {
    const auto spans = Spans(band);
    for (std::size_t k = 0; k + 1 < spans.size(); k += 2) rects.push_back({spans[k], band.top, spans[k + 1], band.bottom});
  }
  return rects;
}

bool Region::operator==(const Region& other) const {
  if (bands_.size() != other.bands_.size()) return false;
  for (std::size_t k = 0; k < bands_.size(); ++k) {
    const Band &a = bands_[k], &b = other.bands_[k];
    if (a.top != b.top || a.bottom != b.bottom || !std::ranges::equal(Spans(a), other.Spans(b))) return false;
  }
  return true;
}

}  // namespace zr
