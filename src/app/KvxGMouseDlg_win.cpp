#include "app/KvxGMouseDlg_win.h"

#include <array>
#include <string>

#include "platform/win32/GdiImages.h"
#include "platform/win32/GdiRegion.h"
#include "platform/win32/Handles.h"
#include "skin/MaskShape.h"
#include "skin/SkinImageFiles.h"
#include "platform/win32/WideText.h"
#include "resource.h"

namespace zr {
namespace {

// Until the skin gives the window its shape and size.
constexpr int kDefaultWidth = 1000;
constexpr int kDefaultHeight = 600;

void CentreOnScreen(HWND window, int width, int height) {
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetWindowPos(window, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CKVX_GMouseDlg::CKVX_GMouseDlg(HINSTANCE instance, AppState& state, ProfileFiles& files)
    : instance_(instance),
      state_(state),
      files_(files),
      icon_(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE | LR_SHARED))),
      renderer_(decoder_, state.paths.SkinFolder()) {}

void CKVX_GMouseDlg::Run() { DoModal(instance_, IDD_KVX_GMOUSE_DIALOG, nullptr); }

void CKVX_GMouseDlg::Exit() {
  if (Window() != nullptr) ::EndDialog(Window(), 0);
}

std::span<const Dialog::MessageEntry> CKVX_GMouseDlg::Messages() const {
  static const std::array<MessageEntry, 9> kMessages = {{
      {WM_INITDIALOG, On(&CKVX_GMouseDlg::OnInitDialog)},
      {WM_PAINT, On(&CKVX_GMouseDlg::OnPaint)},
      {WM_ERASEBKGND, On(&CKVX_GMouseDlg::OnEraseBackground)},
      {WM_CLOSE, On(&CKVX_GMouseDlg::OnClose)},
      {WM_COMMAND, On(&CKVX_GMouseDlg::OnCommand)},
      {WM_QUERYDRAGICON, On(&CKVX_GMouseDlg::OnQueryDragIcon)},
      {WM_CTLCOLOREDIT, On(&CKVX_GMouseDlg::OnControlColour)},
      {WM_CTLCOLORLISTBOX, On(&CKVX_GMouseDlg::OnControlColour)},
      {WM_CTLCOLORSTATIC, On(&CKVX_GMouseDlg::OnControlColour)},
  }};
  return kMessages;
}

void CKVX_GMouseDlg::AppendAboutItem() {
  HMENU systemMenu = ::GetSystemMenu(Window(), FALSE);
  std::array<wchar_t, 128> text{};
  if (systemMenu == nullptr || ::LoadStringW(instance_, IDS_ABOUTBOX, text.data(), static_cast<int>(text.size())) == 0)
    return;
  ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text.data());
}

INT_PTR CKVX_GMouseDlg::OnInitDialog(WPARAM, LPARAM) {
  AppendAboutItem();
  ::SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  LoadStartupState(files_, state_);
  const std::wstring title = Wide(kMainWindowTitle);
  ::SetWindowTextW(Window(), title.c_str());
  ApplySkinShape();
  return TRUE;
}

void CKVX_GMouseDlg::ApplySkinShape() {
  const std::optional<RgbImage> mask = decoder_.Decode(state_.paths.MaskImage());
  const WindowShape shape = BuildMaskShape(mask ? &*mask : nullptr, kDefaultWidth, kDefaultHeight);
  width_ = shape.width;
  height_ = shape.height;
  CentreOnScreen(Window(), shape.width, shape.height);
  if (shape.fromMask) {
    // The window owns the region once it is set.
    if (UniqueRegion region = MakeGdiRegion(shape.region); region && ::SetWindowRgn(Window(), region.get(), TRUE))
      region.release();
  }
}

HFONT CKVX_GMouseDlg::SkinFont() const {
  // Until the two skin fonts are created at start-up.
  return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

INT_PTR CKVX_GMouseDlg::OnEraseBackground(WPARAM, LPARAM) { return TRUE; }  // the paint covers everything

INT_PTR CKVX_GMouseDlg::OnPaint(WPARAM, LPARAM) {
  PaintDc paint(Window());
  if (::IsIconic(Window())) {
    RECT client{};
    ::GetClientRect(Window(), &client);
    DrawIconCentred(paint.get(), icon_, client);
    return TRUE;
  }
  const PaintInputs inputs{state_.ui,     state_.preview,     state_.config, state_.macros, state_.editor,
                           layouts_,      state_.languageFlag, state_.currentConfig.load(), width_, height_};
  renderer_.Paint(paint.get(), inputs, SkinFont());
  return TRUE;
}

INT_PTR CKVX_GMouseDlg::OnControlColour(WPARAM wParam, LPARAM) {
  // A dialog returns the brush itself for these messages.
  return reinterpret_cast<INT_PTR>(controlColours_.Apply(reinterpret_cast<HDC>(wParam), SkinFont()));
}

INT_PTR CKVX_GMouseDlg::OnClose(WPARAM, LPARAM) {
  // Closing never ends the utility; it only hides the window.
  ::ShowWindow(Window(), SW_MINIMIZE);
  ::ShowWindow(Window(), SW_HIDE);
  return TRUE;
}

INT_PTR CKVX_GMouseDlg::OnCommand(WPARAM wParam, LPARAM) {
  // Enter and Escape arrive as IDOK and IDCANCEL; neither may end the dialog.
  const WORD command = LOWORD(wParam);
  return command == IDOK || command == IDCANCEL;
}

INT_PTR CKVX_GMouseDlg::OnQueryDragIcon(WPARAM, LPARAM) {
  ::SetWindowLongPtrW(Window(), DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(icon_));
  return TRUE;
}

}  // namespace zr
