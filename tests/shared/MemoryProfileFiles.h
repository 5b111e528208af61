// Profile files kept in memory, for tests and measurements that are about
// something other than the file: sections and keys without case, as the
// real functions find them.
#pragma once

#include <map>
#include <string>

#include "platform/ProfileFiles.h"
#include "platform/Text.h"

namespace zr::test {

class MemoryProfileFiles final : public ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                            std::size_t bufferSize, std::u16string_view path) override {
    const auto found = values_.find(Key(section, key, path));
    std::u16string value = found == values_.end() ? std::u16string(fallback) : found->second;
    if (bufferSize == 0) return u"";
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
  }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    values_[Key(section, key, path)] = std::u16string(value);
    return true;
  }

 private:
  static std::u16string Key(std::u16string_view section, std::u16string_view key, std::u16string_view path) {
    std::u16string joined = std::u16string(path) + u"|" + std::u16string(section) + u"|" + std::u16string(key);
    for (char16_t& c : joined) c = FoldCase(c);
    return joined;
  }
  std::map<std::u16string, std::u16string> values_;
};

}  // namespace zr::test
