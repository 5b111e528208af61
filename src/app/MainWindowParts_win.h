// What the main window's roles share: the services its files go through, the
// tray icon, the device side, the fonts, the menus, the macro editor and the
// shape the mask gave the window. The dialog owns one; the start-up, the
// exit and the input's hooks each work on it.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "app/AppState.h"
#include "app/MainWindowDevice_win.h"
#include "app/SaveFailureWatch.h"
#include "app/TrayIcon_win.h"
#include "macros/MacroEditorShell_win.h"
#include "platform/HidBus.h"
#include "platform/ProfileFiles.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileQueries.h"
#include "platform/win32/Win32SystemSettings.h"
#include "platform/win32/Win32UserNotices.h"
#include "skin/ColourPreview.h"
#include "skin/IndicatorWindow_win.h"
#include "skin/KvxMenu_win.h"
#include "skin/SkinFonts_win.h"

namespace zr {

// Posted by the first failed save of the user's files, from whichever thread saved.
inline constexpr UINT kSaveFailedMessage = WM_APP + 0x310;

// Asks for a repaint of the whole window from any thread.
class WindowInvalidator final : public WindowRepaint {
 public:
  void SetWindow(HWND window) { window_.store(window); }
  void RepaintWholeWindow() override {
    if (HWND window = window_.load()) ::InvalidateRect(window, nullptr, TRUE);
  }

 private:
  std::atomic<HWND> window_{nullptr};
};

struct MainWindowParts {
  MainWindowParts(const Dialog& dialog, HINSTANCE instance, AppState& state, ProfileFiles& files, HidBus& bus,
                  std::u16string applicationName);
  MainWindowParts(const MainWindowParts&) = delete;
  MainWindowParts& operator=(const MainWindowParts&) = delete;

  HWND Window() const { return dialog.Window(); }
  // The window exists: the parts that talk to it from any thread learn its
  // handle, and forget it again as it goes.
  void AttachWindow();
  void DetachWindow();
  // The font of the skin's texts and the child controls in the current language.
  HFONT SkinFont() const { return fonts.Current(state.languageFlag); }

  const Dialog& dialog;
  HINSTANCE instance;
  AppState& state;
  SaveFailureWatch watchedFiles;  // every file access of the window goes through it
  ProfileFiles& files;
  std::u16string applicationName;
  HICON icon;  // a shared resource icon: the system owns it
  Win32FileQueries fileQueries;
  Win32UserNotices notices;
  Win32SystemSettings system;
  WindowInvalidator repaint;
  TrayIcon tray;
  MainWindowDevice device;
  SkinFonts fonts;
  CKvxMenu stepMenu;
  CKvxMenu trayMenu;
  GdiplusImageDecoder decoder;
  MacroEditorShell macroEditor;
  IndicatorNewsPoster indicatorNews;
  ColourPreviewWorker colourPreview;
  // What the mask made of the window: its size, and the advanced page's
  // paint region as the window system holds it.
  std::int32_t width = 0;
  std::int32_t height = 0;
  UniqueRegion advancedPaintRegion;
};

}  // namespace zr
