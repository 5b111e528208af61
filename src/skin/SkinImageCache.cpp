#include "skin/SkinImageCache.h"

namespace zr {

std::shared_ptr<const RgbImage> SkinImageCache::Get(std::u16string_view path) {
  const std::optional<FileStamp> stamp = StampOf(path);
  auto found = entries_.find(path);
  if (!stamp) {
    if (found != entries_.end()) entries_.erase(found);
    return nullptr;
  }
  if (found != entries_.end() && found->second.stamp == *stamp) return found->second.image;

  std::optional<RgbImage> decoded = decoder_.Decode(path);
  std::shared_ptr<const RgbImage> image =
      decoded ? std::make_shared<const RgbImage>(std::move(*decoded)) : nullptr;
  if (found != entries_.end())
    found->second = {*stamp, image};
  else
    entries_.emplace(std::u16string(path), Entry{*stamp, image});
  return image;
}

}  // namespace zr
