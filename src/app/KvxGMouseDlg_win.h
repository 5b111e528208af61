// The main window: a skinned, captionless dialog that lives as long as the process.
#pragma once

#include <windows.h>

#include "app/AppState.h"
#include "app/MainWindowInput_win.h"
#include "platform/win32/Win32FileQueries.h"
#include "platform/win32/Win32UserNotices.h"
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
  INT_PTR OnMouseMove(WPARAM w, LPARAM l) { return input_.OnMouseMove(w, l); }
  INT_PTR OnLButtonDown(WPARAM w, LPARAM l) { return input_.OnLButtonDown(w, l); }
  INT_PTR OnLButtonUp(WPARAM w, LPARAM l) { return input_.OnLButtonUp(w, l); }
  INT_PTR OnStepDelayCommit(WPARAM w, LPARAM l) { return input_.OnStepDelayCommit(w, l); }

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
  // Click handling; the hooks get their bodies as the other parts of the window arrive.
  Win32FileQueries fileQueries_;
  Win32UserNotices notices_;
  MainWindowInputHooks inputHooks_;
  MainWindowInput input_;
};

}  // namespace zr
