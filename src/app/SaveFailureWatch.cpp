#include "app/SaveFailureWatch.h"

#include <algorithm>

#include "platform/Text.h"

namespace zr {

std::u16string SaveFailureWatch::FailedFile() const {
  std::lock_guard lock(mutex_);
  return failedFile_;
}

bool SaveFailureWatch::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                                   std::u16string_view path) {
  return Watch(inner_.WriteString(section, key, value, path), path);
}

bool SaveFailureWatch::WriteStrings(std::span<const ProfileWrite> writes, std::u16string_view path) {
  return Watch(inner_.WriteStrings(writes, path), path);
}

bool SaveFailureWatch::Watch(bool written, std::u16string_view path) {
  if (written) return true;
  const bool watched =
      std::any_of(watched_.begin(), watched_.end(), [&](const std::u16string& file) { return EqualsIgnoringCase(file, path); });
  if (!watched || announced_.exchange(true)) return false;
  {
    std::lock_guard lock(mutex_);
    failedFile_ = std::u16string(path);
  }
  if (announce_) announce_();
  return false;
}

std::u16string SaveFailureMessage(std::u16string_view failedFile, std::uint8_t languageFlag) {
  const std::u16string file(failedFile);
  if (languageFlag != 0)
    return u"Cannot write " + file +
           u"\r\n\r\nChanges are not being kept. The folder may be read-only or the disk full.";
  return u"无法写入 " + file + u"\r\n\r\n所做的更改不会被保存。文件夹可能是只读的，或者磁盘已满。";
}

}  // namespace zr
