// The main window: a skinned, captionless dialog that lives as long as the process.
#pragma once

#include <windows.h>

#include "app/AppState.h"
#include "platform/ProfileFiles.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Handles.h"

namespace zr {

class CKVX_GMouseDlg final : public Dialog {
 public:
  CKVX_GMouseDlg(HINSTANCE instance, AppState& state, ProfileFiles& files);

  // Runs from dialog template 102 until the window is destroyed.
  void Run();

  // Ends the utility: the window goes, and with it the modal run.
  void Exit();

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnEraseBackground(WPARAM, LPARAM);
  INT_PTR OnClose(WPARAM, LPARAM);
  INT_PTR OnCommand(WPARAM, LPARAM);
  INT_PTR OnQueryDragIcon(WPARAM, LPARAM);

  void AppendAboutItem();
  // The skin's shape and its main page as drawn with nothing hovered; until
  // page rendering comes, the window shows that page.
  void ApplySkinShape();

  HINSTANCE instance_;
  AppState& state_;
  ProfileFiles& files_;
  HICON icon_;  // a shared resource icon: the system owns it
  GdiplusImageDecoder decoder_;
  UniqueBitmap page_;
};

}  // namespace zr
