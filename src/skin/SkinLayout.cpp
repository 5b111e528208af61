#include "skin/SkinLayout.h"

#include <algorithm>
#include <limits>

namespace zr {
namespace {

std::int32_t SaturatingSum(std::int32_t a, std::int32_t b) {
  const std::int64_t sum = std::int64_t{a} + b;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

PixelRect SpotRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  return {x, y, SaturatingSum(x, width), SaturatingSum(y, height)};
}

PixelRect ClipToWindow(const PixelRect& rect, std::int32_t width, std::int32_t height) {
  const std::int32_t w = std::max(width, 0), h = std::max(height, 0);
  const std::int32_t left = std::clamp(std::min(rect.left, rect.right), 0, w);
  const std::int32_t top = std::clamp(std::min(rect.top, rect.bottom), 0, h);
  const std::int32_t right = std::clamp(std::max(rect.left, rect.right), left, w);
  const std::int32_t bottom = std::clamp(std::max(rect.top, rect.bottom), top, h);
  return {left, top, right, bottom};
}

bool SkinEntry::Contains(std::int32_t px, std::int32_t py) const {
  return x <= px && std::int64_t{px} < std::int64_t{x} + width && y <= py && std::int64_t{py} < std::int64_t{y} + height;
}

const std::u16string& FunctionNames::operator[](std::int32_t key) const {
  static const std::u16string kNone;
  return key >= kFirstKey && key <= kLastKey ? names_[static_cast<std::size_t>(key)] : kNone;
}

void FunctionNames::Set(std::int32_t key, std::u16string name) {
  if (key >= kFirstKey && key <= kLastKey) names_[static_cast<std::size_t>(key)] = std::move(name);
}

}  // namespace zr
