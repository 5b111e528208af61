// Starting the system's own helper programs (calculator, command prompt).
#pragma once
#include <memory>
#include <string_view>

namespace zr {

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts the program of this file name from the system directory, shown
  // normally. Never looks along the search path, where the program's own
  // folder or the current folder could hold a planted copy. A failure is
  // not reported: there is nobody to tell.
  virtual void StartSystemProgram(std::u16string_view fileName) = 0;
};

}  // namespace zr
