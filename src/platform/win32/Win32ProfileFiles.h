// Profile files as the utility keeps them: read through the system's own
// private-profile functions, written whole and atomically with the bytes those
// functions would write.
#pragma once

#include "platform/ProfileFiles.h"
#include "platform/ProfileWriter.h"
#include "platform/win32/Win32AtomicFiles.h"

namespace zr {

class Win32ProfileFiles final : public ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue,
                            std::size_t bufferSize, std::u16string_view path) override;
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override;
  bool WriteStrings(std::span<const ProfileWrite> writes, std::u16string_view path) override;

 private:
  Win32AtomicFiles files_;
  ProfileWriter writer_{files_};
};

}  // namespace zr
