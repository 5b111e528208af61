#pragma once

#include "platform/FileQueries.h"

namespace zr {

class Win32FileQueries final : public FileQueries {
 public:
  bool Exists(std::u16string_view path) override;
};

}  // namespace zr
