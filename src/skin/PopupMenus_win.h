// The button-function pop-up, its sub-menu and the warning: borderless
// dialogs drawn wholly from the skin. What an input does and what a paint
// draws is decided in PopupMenus.h; these windows translate messages and
// carry the answers out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/ConfigRecord.h"
#include "macros/MacroRecord.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/GdiplusImages.h"
#include "skin/PageRenderer_win.h"
#include "skin/PopupMenus.h"
#include "skin/SkinLayout.h"
#include "skin/UiState.h"

namespace zr {

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

// What the three windows share: the context, the skin images kept in one
// cache per window from its opening on, and the page renderer's paint.
class SkinPopup : public Dialog {
 protected:
  explicit SkinPopup(PopupContext& context) : context_(context) {}

  // At the window's opening: the surface's images are read into the cache
  // (a paint only looks them up); returns the image giving its shape, the
  // mask or else the normal image.
  std::shared_ptr<const RgbImage> Open(const SurfaceImages& images);
  // nullptr before the opening, or when the image is missing or does not decode.
  std::shared_ptr<const RgbImage> Image(std::u16string_view file) {
    return renderer_ ? renderer_->Image(file) : nullptr;
  }
  void Paint(const SurfaceImages& images, const PopupFrame& frame, const PageRenderer::Compose& compose);
  // Carries out a reaction in its order; `choice` tells the main window of a
  // choice. Returns whether this window is still there.
  bool CarryOut(const PopupReaction& reaction, const std::function<void()>& choice);
  virtual void ReplaceSubMenu() {}
  INT_PTR OnEraseBackground(WPARAM, LPARAM);

  PopupContext& context_;

 private:
  GdiplusImageDecoder decoder_;
  std::optional<PageRenderer> renderer_;
};

class CSubMenuDlg final : public SkinPopup {
 public:
  explicit CSubMenuDlg(PopupContext& context) : SkinPopup(context) {}

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM, LPARAM);
  INT_PTR OnLButtonDown(WPARAM, LPARAM);
  INT_PTR OnLButtonUp(WPARAM, LPARAM);

  std::int32_t group_ = kNoSpot;  // the main menu's hover item when this one opened
};

class CMenuDlg final : public SkinPopup {
 public:
  explicit CMenuDlg(PopupContext& context) : SkinPopup(context), subMenu_(context) {}

  HWND SubMenuWindow() const { return subMenu_.Window(); }

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM, LPARAM);
  INT_PTR OnLButtonDown(WPARAM, LPARAM);
  INT_PTR OnLButtonUp(WPARAM, LPARAM);
  void ReplaceSubMenu() override;

  CSubMenuDlg subMenu_;
};

class WarningDlg final : public SkinPopup {
 public:
  explicit WarningDlg(PopupContext& context) : SkinPopup(context) {}

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM, LPARAM);
  INT_PTR OnLButtonUp(WPARAM, LPARAM);
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
