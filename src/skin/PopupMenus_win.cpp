#include "skin/PopupMenus_win.h"

#include <windowsx.h>

#include <array>
#include <optional>

#include "platform/win32/GdiImages.h"
#include "platform/win32/GdiRegion.h"
#include "platform/win32/WideText.h"
#include "skin/CopySpot.h"
#include "skin/MaskShape.h"
#include "skin/PopupMenus.h"
#include "skin/SkinImageFiles.h"
#include "skin/WorkArea_win.h"

namespace zr {
namespace {

constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kHoverTextColour = RGB(255, 0, 0);

std::optional<RgbImage> DecodeSkinImage(GdiplusImageDecoder& decoder, const std::u16string& folder,
                                        std::u16string_view file) {
  return decoder.Decode(folder + std::u16string(file));
}

void DrawCentredText(HDC dc, std::u16string_view text, std::int32_t left, std::int32_t top, std::int32_t width,
                     std::int32_t height, COLORREF colour) {
  const std::wstring wide = Wide(text);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  const ScreenPosition at = CentredText(left, top, width, height, size.cx, size.cy);
  ::SetTextColor(dc, colour);
  ::TextOutW(dc, at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
}

// A frame of images and texts drawn off screen and copied to the window whole.
class OffscreenFrame {
 public:
  OffscreenFrame(HDC target, const RgbImage& image, HFONT font)
      : target_(target),
        bitmap_(MakeDibSection(image)),
        memory_(::CreateCompatibleDC(target)),
        selected_(memory_.get(), bitmap_.get()),
        font_(memory_.get(), font) {
    ::SetBkMode(memory_.get(), TRANSPARENT);
  }
  HDC dc() const { return memory_.get(); }
  void CopyTo(std::int32_t width, std::int32_t height) {
    ::BitBlt(target_, 0, 0, width, height, memory_.get(), 0, 0, SRCCOPY);
  }

 private:
  HDC target_;
  UniqueBitmap bitmap_;
  UniqueMemoryDc memory_;
  SelectedObject selected_;
  SelectedObject font_;
};

// The frame of a menu: its normal image with the hovered strip from the
// over or down image; a missing image leaves a dark frame for the texts.
RgbImage MenuFrame(GdiplusImageDecoder& decoder, const std::u16string& folder, const SurfaceImages& images,
                   std::int32_t hover, std::int32_t width, std::int32_t height, bool held, std::int32_t strips,
                   std::int32_t frameHeight) {
  std::optional<RgbImage> frame = DecodeSkinImage(decoder, folder, images.normal);
  if (!frame) frame = RgbImage(width, frameHeight, Rgb{0x16, 0x18, 0x1D});
  if (hover >= 1 && hover <= strips) {
    if (const std::optional<RgbImage> state = DecodeSkinImage(decoder, folder, held ? images.down : images.over))
      CopySpot(*frame, *state, SpotArea{0, (hover - 1) * height, width, height});
  }
  return *std::move(frame);
}

HFONT SkinFont(const PopupContext& context) { return context.font ? context.font() : nullptr; }

void Invalidate(HWND window) { ::InvalidateRect(window, nullptr, TRUE); }

void SetRectangleRegion(HWND window, std::int32_t width, std::int32_t height) {
  HRGN region = width > 0 && height > 0 ? ::CreateRectRgn(0, 0, width, height) : ::CreateRectRgn(0, 0, 0, 0);
  if (region != nullptr && !::SetWindowRgn(window, region, TRUE)) ::DeleteObject(region);
}

}  // namespace

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
  PopupMenuState& menus = context_.ui.menus;
  ::SetWindowTextW(Window(), Wide(kMenuWindowTitle).c_str());
  std::optional<RgbImage> mask = DecodeSkinImage(decoder_, context_.skinFolder(), kMenuImages.mask);
  if (!mask) mask = DecodeSkinImage(decoder_, context_.skinFolder(), kMenuImages.normal);  // no mask: the picture's size
  menus.menuItemWidth = mask ? mask->Width() : 0;
  menus.menuItemHeight = mask ? mask->Height() / kMenuStrips : 0;
  SetRectangleRegion(Window(), menus.menuItemWidth, kMenuStrips * menus.menuItemHeight + 1);
  menus.menuHover = kNoSpot;
  // A value left by an earlier menu would hide the first hover of this one.
  menus.previousMenuHover = kNoSpot;
  menus.menuButtonHeld = false;
  return TRUE;
}

INT_PTR CMenuDlg::OnEraseBackground(WPARAM, LPARAM) {
  ::SetWindowLongPtrW(Window(), DWLP_MSGRESULT, TRUE);
  return TRUE;
}

INT_PTR CMenuDlg::OnMouseMove(WPARAM, LPARAM lParam) {
  PopupMenuState& menus = context_.ui.menus;
  menus.menuHover = StripUnder(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), menus.menuItemWidth, menus.menuItemHeight,
                               kMenuStripsHit);
  if (menus.menuHover != menus.previousMenuHover) {
    Invalidate(Window());
    menus.previousMenuHover = menus.menuHover;
  }
  return TRUE;
}

INT_PTR CMenuDlg::OnLButtonDown(WPARAM, LPARAM) {
  context_.ui.menus.menuButtonHeld = true;
  Invalidate(Window());
  return FALSE;
}

INT_PTR CMenuDlg::OnLButtonUp(WPARAM, LPARAM) {
  PopupMenuState& menus = context_.ui.menus;
  menus.menuButtonHeld = false;
  Invalidate(Window());
  const std::optional<std::int32_t> code = MenuItemCode(menus.menuHover);
  if (!code) return FALSE;  // a group or no item: the menu stays
  StoreButtonFunction(context_.config, context_.ui.popupTargetEntry - kFirstButtonEntry, *code);
  if (context_.choiceMade) context_.choiceMade();
  ::DestroyWindow(Window());
  return TRUE;
}

INT_PTR CMenuDlg::OnPaint(WPARAM, LPARAM) {
  PopupMenuState& menus = context_.ui.menus;
  const std::int32_t width = menus.menuItemWidth;
  const std::int32_t height = menus.menuItemHeight;
  const std::int32_t frameHeight = kMenuStrips * height + 1;
  {
    PaintDc paint(Window());
    const RgbImage image = MenuFrame(decoder_, context_.skinFolder(), kMenuImages, menus.menuHover, width, height,
                                     menus.menuButtonHeld, kMenuStripsHit, frameHeight);
    OffscreenFrame frame(paint.get(), image, SkinFont(context_));
    for (std::int32_t item = 1; item <= kMenuItems; ++item)
      DrawCentredText(frame.dc(), context_.skin.functionNames[item], 0, (item - 1) * height, width, height,
                      item == menus.menuHover ? kHoverTextColour : kTextColour);
    frame.CopyTo(width, frameHeight);
  }
  ReplaceSubMenu();
  return TRUE;
}

void CMenuDlg::ReplaceSubMenu() {
  PopupMenuState& menus = context_.ui.menus;
  if (menus.subMenuOpen) {
    if (subMenu_.Window() != nullptr) ::DestroyWindow(subMenu_.Window());
    menus.subMenuOpen = false;
  }
  if (!OpensSubMenu(menus.menuHover)) return;
  HWND subMenu = subMenu_.CreateModeless(context_.instance, kSubMenuDialogTemplate, Window());
  if (subMenu == nullptr) return;
  menus.subMenuOpen = true;
  // Its size is known once it has read its mask and counted its items.
  RECT own{};
  ::GetWindowRect(Window(), &own);
  const ScreenPosition at =
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
  PopupMenuState& menus = context_.ui.menus;
  std::optional<RgbImage> mask = DecodeSkinImage(decoder_, context_.skinFolder(), kSubMenuImages.mask);
  if (!mask) mask = DecodeSkinImage(decoder_, context_.skinFolder(), kSubMenuImages.normal);
  menus.subMenuItemWidth = mask ? mask->Width() : 0;
  menus.subMenuItemHeight = mask ? mask->Height() / kSubMenuStrips : 0;
  group_ = menus.menuHover;
  menus.subMenuCount = SubMenuCount(group_, context_.macros.macroCount, menus.subMenuCount);
  if (menus.subMenuCount > 0)
    SetRectangleRegion(Window(), menus.subMenuItemWidth, menus.subMenuCount * menus.subMenuItemHeight + 1);
  else
    SetRectangleRegion(Window(), 0, 0);
  menus.subMenuHover = kNoSpot;
  menus.previousSubMenuHover = kNoSpot;
  menus.subMenuHeld = false;
  menus.choiceFinished = false;
  return TRUE;
}

INT_PTR CSubMenuDlg::OnEraseBackground(WPARAM, LPARAM) {
  ::SetWindowLongPtrW(Window(), DWLP_MSGRESULT, TRUE);
  return TRUE;
}

INT_PTR CSubMenuDlg::OnMouseMove(WPARAM, LPARAM lParam) {
  PopupMenuState& menus = context_.ui.menus;
  menus.subMenuHover = StripUnder(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), menus.subMenuItemWidth,
                                  menus.subMenuItemHeight, menus.subMenuCount);
  if (menus.subMenuHover != menus.previousSubMenuHover) {
    Invalidate(Window());
    menus.previousSubMenuHover = menus.subMenuHover;
  }
  return TRUE;
}

INT_PTR CSubMenuDlg::OnLButtonDown(WPARAM, LPARAM) {
  context_.ui.menus.subMenuHeld = true;
  Invalidate(Window());
  return FALSE;
}

INT_PTR CSubMenuDlg::OnLButtonUp(WPARAM, LPARAM) {
  PopupMenuState& menus = context_.ui.menus;
  menus.subMenuHeld = false;
  if (menus.subMenuHover == kNoSpot) return FALSE;
  const std::int32_t code = SubMenuCode(menus.menuHover, menus.subMenuHover, menus.lastSubMenuCode);
  menus.lastSubMenuCode = code;
  StoreButtonFunction(context_.config, context_.ui.popupTargetEntry - kFirstButtonEntry, code);
  menus.choiceFinished = true;
  Invalidate(Window());
  // Closes the main menu (and with it this window, which it owns) and
  // repaints the main window; then this window goes if it is still there.
  if (context_.choiceFinished) context_.choiceFinished();
  if (Window() != nullptr) ::DestroyWindow(Window());
  return TRUE;
}

INT_PTR CSubMenuDlg::OnPaint(WPARAM, LPARAM) {
  const PopupMenuState& menus = context_.ui.menus;
  const std::int32_t width = menus.subMenuItemWidth;
  const std::int32_t height = menus.subMenuItemHeight;
  const std::int32_t count = menus.subMenuCount;
  PaintDc paint(Window());
  const RgbImage image = MenuFrame(decoder_, context_.skinFolder(), kSubMenuImages, menus.subMenuHover, width, height,
                                   menus.subMenuHeld, count, kSubMenuStrips * height + 1);
  OffscreenFrame frame(paint.get(), image, SkinFont(context_));
  for (std::int32_t item = 1; item <= count; ++item)
    DrawCentredText(frame.dc(), SubMenuLabel(group_, item, context_.skin.functionNames, context_.macros), 0,
                    (item - 1) * height, width, height, item == menus.subMenuHover ? kHoverTextColour : kTextColour);
  frame.CopyTo(width, count * height + 1);
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
  const std::optional<RgbImage> mask = DecodeSkinImage(decoder_, context_.skinFolder(), kWarningImages.mask);
  if (mask && !mask->Empty()) {
    menus.warningWidth = mask->Width();
    menus.warningHeight = mask->Height();
    if (UniqueRegion region = MakeGdiRegion(DarkPixelRegion(*mask));
        region && ::SetWindowRgn(Window(), region.get(), TRUE))
      region.release();  // the window owns it now
  } else if (const std::optional<RgbImage> normal =
                 DecodeSkinImage(decoder_, context_.skinFolder(), kWarningImages.normal)) {
    menus.warningWidth = normal->Width();
    menus.warningHeight = normal->Height();
  }
  menus.warningHover = kNoSpot;
  menus.previousWarningHover = kNoSpot;
  const ScreenPosition at = WarningPlacement(context_.ui, MonitorWorkArea(context_.ui.popupSpot));
  ::MoveWindow(Window(), at.x, at.y, menus.warningWidth, menus.warningHeight, TRUE);
  return TRUE;
}

INT_PTR WarningDlg::OnEraseBackground(WPARAM, LPARAM) {
  ::SetWindowLongPtrW(Window(), DWLP_MSGRESULT, TRUE);
  return TRUE;
}

INT_PTR WarningDlg::OnMouseMove(WPARAM, LPARAM lParam) {
  PopupMenuState& menus = context_.ui.menus;
  menus.warningHover = WarningAnswerUnder(context_.skin.warning, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (menus.warningHover != menus.previousWarningHover) {
    Invalidate(Window());
    menus.previousWarningHover = menus.warningHover;
  }
  return FALSE;
}

INT_PTR WarningDlg::OnLButtonUp(WPARAM, LPARAM) {
  const std::int32_t answer = context_.ui.menus.warningHover;
  if (answer == kWarningOk || answer == kWarningCancel) ::EndDialog(Window(), answer);
  return FALSE;
}

INT_PTR WarningDlg::OnPaint(WPARAM, LPARAM) {
  const PopupMenuState& menus = context_.ui.menus;
  PaintDc paint(Window());
  std::optional<RgbImage> image = DecodeSkinImage(decoder_, context_.skinFolder(), kWarningImages.normal);
  if (!image) image = RgbImage(menus.warningWidth, menus.warningHeight, Rgb{0x16, 0x18, 0x1D});
  const WarningLayout& layout = context_.skin.warning;
  if (menus.warningHover == kWarningOk || menus.warningHover == kWarningCancel) {
    const SkinEntry& spot = layout[menus.warningHover - 1];
    if (const std::optional<RgbImage> over = DecodeSkinImage(decoder_, context_.skinFolder(), kWarningImages.over))
      CopySpot(*image, *over, SpotArea{spot.x, spot.y, spot.width, spot.height});
  }
  OffscreenFrame frame(paint.get(), *image, SkinFont(context_));
  for (const SkinEntry& entry : layout)
    DrawCentredText(frame.dc(), entry.label, entry.x, entry.y, entry.width, entry.height, kHoverTextColour);
  frame.CopyTo(menus.warningWidth, menus.warningHeight);
  return TRUE;
}

// --- PopupMenus -------------------------------------------------------------

INT_PTR PopupMenus::AskWarning(HWND mainWindow) {
  return warning_.DoModal(context_.instance, kWarningDialogTemplate, mainWindow);
}

bool PopupMenus::OpenMenu(HWND mainWindow) {
  CloseMenu();
  HWND menu = menu_.CreateModeless(context_.instance, kMenuDialogTemplate, mainWindow);
  if (menu == nullptr) return false;
  context_.ui.popupOpen = true;
  const ScreenPosition at = MenuPlacement(context_.ui, MonitorWorkArea(context_.ui.popupSpot));
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
