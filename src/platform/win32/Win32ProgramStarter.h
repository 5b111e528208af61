#pragma once
#include <string>

#include "platform/ProgramStarter.h"

namespace zr {

class Win32ProgramStarter final : public ProgramStarter {
 public:
  void StartSystemProgram(std::u16string_view fileName) override;
};

// The system directory plus the file name; empty when the system directory
// is unknown or the name is not a plain file name.
std::wstring SystemProgramPath(std::u16string_view fileName);

}  // namespace zr
