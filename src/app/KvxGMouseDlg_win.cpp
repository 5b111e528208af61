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
      input_(instance, state, state.skin, MainWindowInputServices{files, fileQueries_, notices_}, inputHooks_) {}

void CKVX_GMouseDlg::Run() { DoModal(instance_, IDD_KVX_GMOUSE_DIALOG, nullptr); }

void CKVX_GMouseDlg::Exit() {
  if (Window() != nullptr) ::EndDialog(Window(), 0);
}

std::span<const Dialog::MessageEntry> CKVX_GMouseDlg::Messages() const {
  static const std::array<MessageEntry, 10> kMessages = {{
      {WM_INITDIALOG, On(&CKVX_GMouseDlg::OnInitDialog)},
      {WM_PAINT, On(&CKVX_GMouseDlg::OnPaint)},
      {WM_ERASEBKGND, On(&CKVX_GMouseDlg::OnEraseBackground)},
      {WM_CLOSE, On(&CKVX_GMouseDlg::OnClose)},
      {WM_COMMAND, On(&CKVX_GMouseDlg::OnCommand)},
      {WM_QUERYDRAGICON, On(&CKVX_GMouseDlg::OnQueryDragIcon)},
      {WM_MOUSEMOVE, On(&CKVX_GMouseDlg::OnMouseMove)},
      {WM_LBUTTONDOWN, On(&CKVX_GMouseDlg::OnLButtonDown)},
      {WM_LBUTTONUP, On(&CKVX_GMouseDlg::OnLButtonUp)},
      {WM_USER + 10, On(&CKVX_GMouseDlg::OnStepDelayCommit)},
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
  input_.Attach(Window());
  notices_.SetOwner(Window());
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
  CentreOnScreen(Window(), shape.width, shape.height);
  if (shape.fromMask) {
    // The window owns the region once it is set.
    if (UniqueRegion region = MakeGdiRegion(shape.region); region && ::SetWindowRgn(Window(), region.get(), TRUE))
      region.release();
  }
  if (const std::optional<RgbImage> page = decoder_.Decode(state_.paths.SkinImage(kMainPageImages.normal)))
    page_ = MakeDibSection(*page);
}

INT_PTR CKVX_GMouseDlg::OnEraseBackground(WPARAM, LPARAM) { return TRUE; }  // the paint covers everything

INT_PTR CKVX_GMouseDlg::OnPaint(WPARAM, LPARAM) {
  input_.ConsumeChoiceFinished();
  PaintDc paint(Window());
  RECT client{};
  ::GetClientRect(Window(), &client);
  if (page_) {
    UniqueMemoryDc memory(::CreateCompatibleDC(paint.get()));
    SelectedObject selected(memory.get(), page_.get());
    ::BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    return TRUE;
  }
  UniqueBrush background(::CreateSolidBrush(RGB(0x16, 0x18, 0x1D)));
  ::FillRect(paint.get(), &client, background.get());
  UniqueBrush accent(::CreateSolidBrush(RGB(0xE0, 0x3A, 0x3E)));
  RECT band{client.left, client.top, client.right, client.top + 4};
  ::FillRect(paint.get(), &band, accent.get());

  ::SetBkMode(paint.get(), TRANSPARENT);
  ::SetTextColor(paint.get(), RGB(0xE8, 0xEA, 0xED));
  const std::wstring title = Wide(kMainWindowTitle);
  RECT titleArea{client.left + 24, client.top + 20, client.right - 24, client.top + 48};
  ::DrawTextW(paint.get(), title.c_str(), -1, &titleArea, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  const std::wstring status = L"Configuration " + std::to_wstring(state_.currentConfig);
  ::SetTextColor(paint.get(), RGB(0x9A, 0xA0, 0xA6));
  RECT statusArea{client.left + 24, client.top + 48, client.right - 24, client.top + 72};
  ::DrawTextW(paint.get(), status.c_str(), -1, &statusArea, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  return TRUE;
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
