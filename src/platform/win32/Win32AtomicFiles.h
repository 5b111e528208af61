// Whole-file reads and atomic replacements through the Win32 file API.
#pragma once

#include "platform/AtomicFiles.h"

namespace zr {

class Win32AtomicFiles final : public AtomicFiles {
 public:
  std::optional<std::string> ReadAll(std::u16string_view path) override;
  // The temporary file is written and flushed (FlushFileBuffers), then moved
  // over the old one with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
  bool Replace(std::u16string_view path, std::string_view bytes) override;
};

}  // namespace zr
