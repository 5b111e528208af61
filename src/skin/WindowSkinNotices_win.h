// The skin loaders' messages as modal message boxes over the main window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "skin/SkinNotices.h"

namespace zr {

class WindowSkinNotices final : public SkinNotices {
 public:
  // `caption` is the application's name; `exitProcedure` ends the utility.
  WindowSkinNotices(HWND owner, std::u16string caption, std::function<void()> exitProcedure)
      : owner_(owner), caption_(std::move(caption)), exitProcedure_(std::move(exitProcedure)) {}

  void ShowMessage(std::u16string_view text) override;
  void RequestExit() override;

 private:
  HWND owner_;
  std::u16string caption_;
  std::function<void()> exitProcedure_;
};

}  // namespace zr
