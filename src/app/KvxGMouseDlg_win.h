// The main window: a skinned, captionless dialog that lives as long as the process.
#pragma once

#include <windows.h>

#include "app/AppState.h"
#include "platform/ProfileFiles.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Handles.h"
#include "skin/ChildControlColours_win.h"
#include "skin/PageRenderer_win.h"
#include "skin/SkinLayout.h"

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
  INT_PTR OnControlColour(WPARAM, LPARAM);

  void AppendAboutItem();
  // The skin's shape, which also gives the drawing size.
  void ApplySkinShape();
  // The font of the skin's texts and the child controls in the current language.
  HFONT SkinFont() const;

  HINSTANCE instance_;
  AppState& state_;
  ProfileFiles& files_;
  HICON icon_;  // a shared resource icon: the system owns it
  GdiplusImageDecoder decoder_;
  SkinLayouts layouts_;  // filled by the start-up sequence
  PageRenderer renderer_;
  ChildControlColours controlColours_;
  int width_ = 0;  // the drawing size, from the mask
  int height_ = 0;
};

}  // namespace zr
