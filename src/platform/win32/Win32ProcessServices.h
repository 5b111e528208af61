#pragma once

#include <functional>

#include "platform/ProcessServices.h"
#include "platform/win32/Handles.h"

namespace zr {

class Win32ProcessServices final : public ProcessServices {
 public:
  explicit Win32ProcessServices(std::function<void()> runMainDialog) : runMainDialog_(std::move(runMainDialog)) {}

  bool AcquireInstanceMutex(std::u16string_view name) override;
  void ReleaseInstanceMutex() override;
  void RestoreWindowByTitle(std::u16string_view title) override;
  void InitCommonControls() override;
  void RunMainDialog() override { runMainDialog_(); }

 private:
  std::function<void()> runMainDialog_;
  // Held by the first instance until the process ends.
  UniqueKernelHandle mutex_;
};

}  // namespace zr
