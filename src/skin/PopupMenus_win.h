// The button-function pop-up, its sub-menu and the warning: borderless
// dialogs drawn wholly from the skin. What an item means is decided in
// PopupMenus.h; these windows translate messages and draw.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "config/ConfigRecord.h"
#include "macros/MacroRecord.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Handles.h"
#include "skin/SkinLayout.h"
#include "skin/UiState.h"

namespace zr {

inline constexpr int kMenuDialogTemplate = 103;
inline constexpr int kSubMenuDialogTemplate = 104;
inline constexpr int kWarningDialogTemplate = 105;

inline constexpr std::u16string_view kMenuWindowTitle = u"MainMenuDlg";

// What the pop-ups work on; every reference outlives the windows.
struct PopupContext {
  HINSTANCE instance = nullptr;
  // Asked at each use: the folder is known only once the application starts.
  std::function<std::u16string()> skinFolder;
  ConfigRecord& config;
  const SkinLayouts& skin;
  const MacroTables& macros;
  UiState& ui;
  const std::uint8_t& languageFlag;
  // A choice changed a button: the main window shows the new label.
  std::function<void()> choiceMade;
  // A sub-menu choice is done: close the main menu, then repaint the main window.
  std::function<void()> choiceFinished;
  // The main window's skin font of the current language: the pop-ups' texts
  // are in the same typeface as the window beside them.
  std::function<HFONT()> font;
};

class CSubMenuDlg final : public Dialog {
 public:
  explicit CSubMenuDlg(PopupContext& context) : context_(context) {}

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM, LPARAM);
  INT_PTR OnLButtonDown(WPARAM, LPARAM);
  INT_PTR OnLButtonUp(WPARAM, LPARAM);
  INT_PTR OnEraseBackground(WPARAM, LPARAM);

  PopupContext& context_;
  GdiplusImageDecoder decoder_;
  std::int32_t group_ = kNoSpot;  // the main menu's hover item when this one opened
};

class CMenuDlg final : public Dialog {
 public:
  explicit CMenuDlg(PopupContext& context) : context_(context), subMenu_(context) {}

  HWND SubMenuWindow() const { return subMenu_.Window(); }

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM, LPARAM);
  INT_PTR OnLButtonDown(WPARAM, LPARAM);
  INT_PTR OnLButtonUp(WPARAM, LPARAM);
  INT_PTR OnEraseBackground(WPARAM, LPARAM);
  void ReplaceSubMenu();

  PopupContext& context_;
  CSubMenuDlg subMenu_;
  GdiplusImageDecoder decoder_;
};

class WarningDlg final : public Dialog {
 public:
  explicit WarningDlg(PopupContext& context) : context_(context) {}

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM, LPARAM);
  INT_PTR OnLButtonUp(WPARAM, LPARAM);
  INT_PTR OnEraseBackground(WPARAM, LPARAM);

  PopupContext& context_;
  GdiplusImageDecoder decoder_;
};

// The three windows of one main window. The objects live as long as the
// main window, so a window may destroy itself or its owner while one of
// its own handlers runs.
class PopupMenus {
 public:
  explicit PopupMenus(PopupContext context)
      : context_(std::move(context)), menu_(context_), warning_(context_) {}

  // Modal; kWarningOk, kWarningCancel, or -1 when the dialog could not run.
  INT_PTR AskWarning(HWND mainWindow);
  // Under the spot of the UI state (above it when there is no room below),
  // inside the work area of its monitor; 300 x 300, clipped by its region.
  bool OpenMenu(HWND mainWindow);
  void CloseMenu();
  HWND MenuWindow() const { return menu_.Window(); }
  HWND SubMenuWindow() const { return menu_.SubMenuWindow(); }

 private:
  PopupContext context_;
  CMenuDlg menu_;
  WarningDlg warning_;
};

}  // namespace zr
