// Profile (INI) files as the system reads and writes them: one string at a
// time, through a caller-sized buffer, each write rewriting the whole file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zr {

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;

  // Returns the value of `key` in `section` of the file at `path`, or
  // `defaultValue` when there is none; at most bufferSize - 1 characters, as a
  // buffer of that many characters holds them with their terminator.
  virtual std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view defaultValue, std::size_t bufferSize,
                                    std::u16string_view path) = 0;

  // Sets `key` in `section` to `value`, creating the key, the section and the
  // file as needed. False when the file could not be written.
  virtual bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                           std::u16string_view path) = 0;
};

}  // namespace zr
