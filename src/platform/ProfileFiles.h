// Profile (INI) files as the system reads and writes them: one string at a
// time, through a caller-sized buffer, each write rewriting the whole file.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zr {

// One key's new value, as a single write of the profile functions takes it.
struct ProfileWrite {
  std::u16string section;
  std::u16string key;
  std::u16string value;
};

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

  // The writes in their order, with the file they leave exactly the one that
  // WriteString called for each in turn leaves. Implementations that can
  // put the file in place once, whole, do so: then the file is either as it
  // was or has every write, and a failure leaves it as it was. False when
  // the file could not be written.
  virtual bool WriteStrings(std::span<const ProfileWrite> writes, std::u16string_view path) {
    bool written = true;
    for (const ProfileWrite& write : writes)
      written = WriteString(write.section, write.key, write.value, path) && written;
    return written;
  }
};

}  // namespace zr
