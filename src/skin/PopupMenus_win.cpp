#include "skin/PopupMenus_win.h"

#include <windowsx.h>

#include <array>

#include "platform/win32/GdiRegion.h"
#include "platform/win32/Handles.h"
#include "platform/win32/PixelRects.h"
#include "platform/win32/WideText.h"
#include "resource.h"
#include "skin/SkinImageFiles.h"
#include "skin/WorkArea_win.h"

namespace zr {
namespace {

void SetRectangleRegion(HWND window, const PopupFrame& frame) {
  HRGN region = ::CreateRectRgn(0, 0, frame.width, frame.height);
  if (region != nullptr && !::SetWindowRgn(window, region, TRUE)) ::DeleteObject(region);
}

}  // namespace

// --- SkinPopup ----------------------------------------------------------------

std::shared_ptr<const RgbImage> SkinPopup::Open(const SurfaceImages& images) {
  std::u16string folder = context_.skinFolder();
  if (!renderer_ || renderer_->SkinFolder() != folder) renderer_.emplace(decoder_, std::move(folder));
  std::shared_ptr<const RgbImage> normal = renderer_->Image(images.normal);
  renderer_->Image(images.over);
  if (!images.down.empty()) renderer_->Image(images.down);
  std::shared_ptr<const RgbImage> mask = images.mask.empty() ? nullptr : renderer_->Image(images.mask);
  return mask ? mask : normal;
}

void SkinPopup::Paint(const SurfaceImages& images, const PopupFrame& frame, const PageRenderer::Compose& compose) {
  PaintDc paint(Window());
  if (renderer_) renderer_->PaintSurface(paint.get(), images, frame.width, frame.height,
                                         context_.font ? context_.font() : nullptr, compose);
}

bool SkinPopup::CarryOut(const PopupReaction& reaction, const std::function<void()>& choice) {
  for (const PixelRect& area : reaction.repaint) {
    const RECT rect = ToRect(area);
    ::InvalidateRect(Window(), &rect, TRUE);
  }
  if (reaction.replaceSubMenu) ReplaceSubMenu();
  if (reaction.choiceMade && choice) choice();
  if (reaction.close && Window() != nullptr) ::DestroyWindow(Window());
  return Window() != nullptr;
}

INT_PTR SkinPopup::OnEraseBackground(WPARAM, LPARAM) {
  ::SetWindowLongPtrW(Window(), DWLP_MSGRESULT, TRUE);
  return TRUE;
}

// --- CMenuDlg ---------------------------------------------------------------

std::span<const Dialog::MessageEntry> CMenuDlg::Messages() const {
  // The dialog class turns a quick second click into a double-click
  // message; it is a press like any other, and its release follows.
  static const std::array<MessageEntry, 7> kMessages = {{
      {WM_INITDIALOG, On(&CMenuDlg::OnInitDialog)},
      {WM_PAINT, On(&CMenuDlg::OnPaint)},
      {WM_MOUSEMOVE, On(&CMenuDlg::OnMouseMove)},
      {WM_LBUTTONDOWN, On(&CMenuDlg::OnLButtonDown)},
      {WM_LBUTTONDBLCLK, On(&CMenuDlg::OnLButtonDown)},
      {WM_LBUTTONUP, On(&CMenuDlg::OnLButtonUp)},
      {WM_ERASEBKGND, On(&CMenuDlg::OnEraseBackground)},
  }};
  return kMessages;
}

INT_PTR CMenuDlg::OnInitDialog(WPARAM, LPARAM) {
  ::SetWindowTextW(Window(), Wide(kMenuWindowTitle).c_str());
  MenuOpened(context_.ui.menus, Open(kMenuImages).get());
  SetRectangleRegion(Window(), MenuFrame(context_.ui.menus));
  return TRUE;
}

INT_PTR CMenuDlg::OnMouseMove(WPARAM, LPARAM lParam) {
  CarryOut(MenuMove(context_.ui.menus, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), context_.choiceMade);
  return TRUE;
}

INT_PTR CMenuDlg::OnLButtonDown(WPARAM, LPARAM) {
  CarryOut(MenuPress(context_.ui.menus), context_.choiceMade);
  return FALSE;
}

INT_PTR CMenuDlg::OnLButtonUp(WPARAM, LPARAM) {
  const PopupReaction reaction = MenuRelease(context_.ui.menus, context_.config, context_.ui.popupTargetEntry);
  CarryOut(reaction, context_.choiceMade);
  return reaction.close ? TRUE : FALSE;
}

INT_PTR CMenuDlg::OnPaint(WPARAM, LPARAM) {
  const PopupMenuState& menus = context_.ui.menus;
  Paint(kMenuImages, MenuFrame(menus), [&](Canvas& canvas, bool normalShown) {
    ComposeMenu(canvas, menus, context_.skin.functionNames, normalShown);
  });
  return TRUE;
}

void CMenuDlg::ReplaceSubMenu() {
  PopupMenuState& menus = context_.ui.menus;
  if (menus.subMenuOpen) {
    if (subMenu_.Window() != nullptr) ::DestroyWindow(subMenu_.Window());
    menus.subMenuOpen = false;
  }
  if (!OpensSubMenu(menus.menuHover)) return;
  HWND subMenu = subMenu_.CreateModeless(context_.instance, IDD_SUBMENU_DIALOG, Window());
  if (subMenu == nullptr) return;
  menus.subMenuOpen = true;
  // Its size is known once it has read its mask and counted its items.
  RECT own{};
  ::GetWindowRect(Window(), &own);
  const ScreenPoint at =
      SubMenuPlacement(menus, own.left, own.top, context_.macros.macroCount, MonitorWorkArea(Window()));
  ::MoveWindow(subMenu, at.x, at.y, kSubMenuWidth, kSubMenuHeight, TRUE);
  // Without activation: the main menu keeps following the cursor.
  ::ShowWindow(subMenu, SW_SHOWNOACTIVATE);
}

// --- CSubMenuDlg ------------------------------------------------------------

std::span<const Dialog::MessageEntry> CSubMenuDlg::Messages() const {
  static const std::array<MessageEntry, 7> kMessages = {{
      {WM_INITDIALOG, On(&CSubMenuDlg::OnInitDialog)},
      {WM_PAINT, On(&CSubMenuDlg::OnPaint)},
      {WM_MOUSEMOVE, On(&CSubMenuDlg::OnMouseMove)},
      {WM_LBUTTONDOWN, On(&CSubMenuDlg::OnLButtonDown)},
      {WM_LBUTTONDBLCLK, On(&CSubMenuDlg::OnLButtonDown)},
      {WM_LBUTTONUP, On(&CSubMenuDlg::OnLButtonUp)},
      {WM_ERASEBKGND, On(&CSubMenuDlg::OnEraseBackground)},
  }};
  return kMessages;
}

INT_PTR CSubMenuDlg::OnInitDialog(WPARAM, LPARAM) {
  group_ = SubMenuOpened(context_.ui.menus, Open(kSubMenuImages).get(), context_.macros.macroCount);
  SetRectangleRegion(Window(), SubMenuFrame(context_.ui.menus));
  return TRUE;
}

INT_PTR CSubMenuDlg::OnMouseMove(WPARAM, LPARAM lParam) {
  CarryOut(SubMenuMove(context_.ui.menus, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), context_.choiceFinished);
  return TRUE;
}

INT_PTR CSubMenuDlg::OnLButtonDown(WPARAM, LPARAM) {
  CarryOut(SubMenuPress(context_.ui.menus), context_.choiceFinished);
  return FALSE;
}

INT_PTR CSubMenuDlg::OnLButtonUp(WPARAM, LPARAM) {
  // A choice closes the main menu (and with it this window, which it owns)
  // and repaints the main window; then this window goes if it is still there.
  const PopupReaction reaction = SubMenuRelease(context_.ui.menus, context_.config, context_.ui.popupTargetEntry);
  CarryOut(reaction, context_.choiceFinished);
  return reaction.close ? TRUE : FALSE;
}

INT_PTR CSubMenuDlg::OnPaint(WPARAM, LPARAM) {
  const PopupMenuState& menus = context_.ui.menus;
  Paint(kSubMenuImages, SubMenuFrame(menus), [&](Canvas& canvas, bool normalShown) {
    ComposeSubMenu(canvas, menus, group_, context_.skin.functionNames, context_.macros, normalShown);
  });
  return TRUE;
}

// --- WarningDlg -------------------------------------------------------------

std::span<const Dialog::MessageEntry> WarningDlg::Messages() const {
  static const std::array<MessageEntry, 5> kMessages = {{
      {WM_INITDIALOG, On(&WarningDlg::OnInitDialog)},
      {WM_PAINT, On(&WarningDlg::OnPaint)},
      {WM_MOUSEMOVE, On(&WarningDlg::OnMouseMove)},
      {WM_LBUTTONUP, On(&WarningDlg::OnLButtonUp)},
      {WM_ERASEBKGND, On(&WarningDlg::OnEraseBackground)},
  }};
  return kMessages;
}

INT_PTR WarningDlg::OnInitDialog(WPARAM, LPARAM) {
  PopupMenuState& menus = context_.ui.menus;
  Open(kWarningImages);
  const std::optional<Region> region =
      WarningOpened(menus, Image(kWarningImages.mask).get(), Image(kWarningImages.normal).get());
  if (region) {
    if (UniqueRegion gdi = MakeGdiRegion(*region); gdi && ::SetWindowRgn(Window(), gdi.get(), TRUE))
      gdi.release();  // the window owns it now
  }
  const ScreenPoint at = WarningPlacement(context_.ui, MonitorWorkArea(context_.ui.popupSpot));
  ::MoveWindow(Window(), at.x, at.y, menus.warningWidth, menus.warningHeight, TRUE);
  return TRUE;
}

INT_PTR WarningDlg::OnMouseMove(WPARAM, LPARAM lParam) {
  CarryOut(WarningMove(context_.ui.menus, context_.skin.warning, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), {});
  return FALSE;
}

INT_PTR WarningDlg::OnLButtonUp(WPARAM, LPARAM) {
  if (const std::optional<std::int32_t> answer = WarningRelease(context_.ui.menus)) ::EndDialog(Window(), *answer);
  return FALSE;
}

INT_PTR WarningDlg::OnPaint(WPARAM, LPARAM) {
  const PopupMenuState& menus = context_.ui.menus;
  Paint(kWarningImages, WarningFrame(menus), [&](Canvas& canvas, bool normalShown) {
    ComposeWarning(canvas, menus, context_.skin.warning, normalShown);
  });
  return TRUE;
}

// --- PopupMenus -------------------------------------------------------------

INT_PTR PopupMenus::AskWarning(HWND mainWindow) {
  return warning_.DoModal(context_.instance, IDD_WARNING_DIALOG, mainWindow);
}

bool PopupMenus::OpenMenu(HWND mainWindow) {
  CloseMenu();
  HWND menu = menu_.CreateModeless(context_.instance, IDD_MENU_DIALOG, mainWindow);
  if (menu == nullptr) return false;
  context_.ui.popupOpen = true;
  const ScreenPoint at = MenuPlacement(context_.ui, MonitorWorkArea(context_.ui.popupSpot));
  ::MoveWindow(menu, at.x, at.y, kPopupWidth, kPopupHeight, TRUE);
  ::ShowWindow(menu, SW_SHOW);
  return true;
}

void PopupMenus::CloseMenu() {
  if (menu_.Window() != nullptr) ::DestroyWindow(menu_.Window());
  context_.ui.popupOpen = false;
  context_.ui.menus.subMenuOpen = false;
}

}  // namespace zr
