// Profile files through the system's own private-profile functions.
#pragma once

#include "platform/ProfileFiles.h"

namespace zr {

class Win32ProfileFiles final : public ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue,
                            std::size_t bufferSize, std::u16string_view path) override;
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override;
};

}  // namespace zr
