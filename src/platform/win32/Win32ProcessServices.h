#pragma once

#include <functional>

#include "platform/ProcessServices.h"
#include "platform/win32/Handles.h"

namespace zr {

class Win32ProcessServices final : public ProcessServices {
 public:
  explicit Win32ProcessServices(std::function<void(MainWindowStart)> runMainDialog)
      : runMainDialog_(std::move(runMainDialog)) {}

  bool AcquireInstanceMutex(std::u16string_view name) override;
  void ReleaseInstanceMutex() override;
  void RestoreWindowByTitle(std::u16string_view title) override;
  void InitCommonControls() override;
  void RunMainDialog(MainWindowStart start) override { runMainDialog_(start); }
  EndRequest EndWindowByCommand(std::u16string_view title, std::uint32_t command) override;

 private:
  std::function<void(MainWindowStart)> runMainDialog_;
  // Held by the first instance until the process ends.
  UniqueKernelHandle mutex_;
};

}  // namespace zr
