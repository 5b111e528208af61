#include "virtual_mouse/program/Panel.h"

#include <windows.h>

#include <array>
#include <string>
#include <thread>

#include "config/FunctionTable.h"
#include "platform/win32/ExceptionBarrier.h"
#include "platform/win32/WideText.h"
#include "virtual_mouse/Control.h"

namespace zr::virtual_mouse {
namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 150;
constexpr int kMargin = 8;
constexpr int kKeyWidth = 112;
constexpr int kKeyHeight = 28;
constexpr int kLineHeight = 15;
constexpr int kClientWidth = 3 * kKeyWidth + 4 * kMargin;
constexpr int kStateTop = 3 * (kKeyHeight + kMargin) + kMargin + 2 * kLineHeight;
constexpr int kStateLines = 12;  // per column: the state has 23 lines
constexpr int kClientHeight = kStateTop + kStateLines * kLineHeight + kMargin;
constexpr const wchar_t* kClassName = L"ZrVirtualMousePanel";

constexpr std::array<const wchar_t*, kButtons> kSlotLabels = {L"0 left", L"1 right", L"2 middle",
                                                              L"3 back", L"4 forward", L"5 dpi"};
enum : int { kUnplugKey = kButtons, kPlugKey = kButtons + 1, kKeys = kButtons + 2 };

RECT KeyRect(int key) {
  const int row = key / 3;
  const int column = key % 3;
  const int left = kMargin + column * (kKeyWidth + kMargin);
  const int top = kMargin + row * (kKeyHeight + kMargin);
  return {left, top, left + kKeyWidth, top + kKeyHeight};
}

int KeyAt(POINT point) {
  for (int key = 0; key < kKeys; ++key) {
    const RECT rect = KeyRect(key);
    if (::PtInRect(&rect, point)) return key;
  }
  return -1;
}

struct Panel {
  Panel(VirtualMouse& m, std::u16string title) : mouse(m), mainWindowTitle(std::move(title)) {}

  VirtualMouse& mouse;
  std::u16string mainWindowTitle;
  HWND window = nullptr;
  bool placed = false;
  int heldSlot = -1;
  std::string shownState;
  std::string lastSent = "nothing yet";

  void Show(const ButtonEffect& effect) {
    const std::string lines = EffectLines(effect);
    if (lines.empty()) return;
    lastSent = lines.substr(0, lines.find('\n'));
    ::InvalidateRect(window, nullptr, TRUE);
  }

  void Press(int slot) {
    heldSlot = slot;
    Show(mouse.Press(kButtonCodes[slot]));
  }
  void ReleaseHeld() {
    if (heldSlot < 0) return;
    const int slot = heldSlot;
    heldSlot = -1;
    Show(mouse.Release(kButtonCodes[slot]));
    ::InvalidateRect(window, nullptr, TRUE);
  }

  // Beside the utility's window, on the side with room, once it is there.
  void PlaceBesideTheUtility() {
    if (placed) return;
    HWND main = nullptr;
    while ((main = ::FindWindowExW(nullptr, main, nullptr, Wide(mainWindowTitle).c_str())) != nullptr) {
      DWORD process = 0;
      ::GetWindowThreadProcessId(main, &process);
      if (process == ::GetCurrentProcessId()) break;
    }
    if (main == nullptr) return;
    RECT utility{};
    ::GetWindowRect(main, &utility);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    int left = utility.right + kMargin;
    if (left + width > screenWidth) left = utility.left - kMargin - width;
    if (left < 0) left = screenWidth - width;
    ::SetWindowPos(window, nullptr, left, utility.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    placed = true;
  }

  void Refresh() {
    PlaceBesideTheUtility();
    const std::string state = StateLines(mouse.State(), mouse.Plugged());
    if (state != shownState) {
      shownState = state;
      ::InvalidateRect(window, nullptr, TRUE);
    }
  }

  void Paint(HDC dc) {
    ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    const bool plugged = mouse.Plugged();
    for (int key = 0; key < kKeys; ++key) {
      RECT rect = KeyRect(key);
      const bool down = key == heldSlot || (key == kUnplugKey && !plugged) || (key == kPlugKey && plugged);
      ::DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
      const wchar_t* label = key < kButtons ? kSlotLabels[key] : key == kUnplugKey ? L"unplug" : L"plug";
      ::DrawTextW(dc, label, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    const int infoTop = KeyRect(kPlugKey).bottom + kMargin;
    const std::wstring sent = L"sent: " + std::wstring(lastSent.begin(), lastSent.end());
    ::TextOutW(dc, kMargin, infoTop, sent.c_str(), static_cast<int>(sent.size()));
    const std::wstring heading = L"the mouse holds:";
    ::TextOutW(dc, kMargin, infoTop + kLineHeight, heading.c_str(), static_cast<int>(heading.size()));

    int line = 0;
    std::size_t start = 0;
    while (start < shownState.size()) {
      const std::size_t end = shownState.find('\n', start);
      const std::wstring text(shownState.begin() + static_cast<std::ptrdiff_t>(start),
                              shownState.begin() + static_cast<std::ptrdiff_t>(end));
      const int column = line / kStateLines;
      ::TextOutW(dc, kMargin + column * (kClientWidth / 2), kStateTop + (line % kStateLines) * kLineHeight, text.c_str(),
                 static_cast<int>(text.size()));
      ++line;
      start = end + 1;
    }
  }
};

LRESULT PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* panel = reinterpret_cast<Panel*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    panel = static_cast<Panel*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    panel->window = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
  }
  if (panel == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_TIMER: panel->Refresh(); return 0;
    case WM_LBUTTONDOWN: {
      const int key = KeyAt({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (key < 0) return 0;
      if (key < kButtons) {
        panel->Press(key);
        ::SetCapture(window);
      } else if (key == kUnplugKey) {
        panel->mouse.Unplug();
      } else {
        panel->mouse.Plug();
      }
      panel->Refresh();
      ::InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case WM_LBUTTONUP:
      if (::GetCapture() == window) ::ReleaseCapture();  // WM_CAPTURECHANGED releases the button
      panel->ReleaseHeld();
      return 0;
    case WM_CAPTURECHANGED: panel->ReleaseHeld(); return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      panel->Paint(dc);
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_CLOSE: ::ShowWindow(window, SW_HIDE); return 0;  // the mouse stays; only the utility ends the process
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ExceptionBarrier(
      "virtual mouse panel's window procedure", [&] { return PanelMessage(window, message, wParam, lParam); },
      [&] { return ::DefWindowProcW(window, message, wParam, lParam); });
}

void RunPanel(Panel* panel) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PanelProcedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassW(&windowClass);
  // No WS_VISIBLE: it shows itself beside the utility, without activation.
  HWND window = ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClassName, kPanelTitle,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, kClientWidth,
                                  kClientHeight, nullptr, nullptr, windowClass.hInstance, panel);
  if (window == nullptr) return;
  ::SetTimer(window, kRefreshTimer, kRefreshMs, nullptr);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace

void StartPanel(VirtualMouse& mouse, std::u16string mainWindowTitle) {
  // Never freed: the thread runs until the process ends.
  auto* panel = new Panel(mouse, std::move(mainWindowTitle));
  std::thread(RunPanel, panel).detach();
}

}  // namespace zr::virtual_mouse
