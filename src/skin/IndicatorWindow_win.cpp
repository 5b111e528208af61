#include "skin/IndicatorWindow_win.h"

#include <cstring>
#include <string>

#include "platform/win32/ExceptionBarrier.h"
#include "platform/win32/PixelRects.h"
#include "platform/win32/WideText.h"
#include "skin/WorkArea_win.h"

namespace zr {
namespace {

constexpr wchar_t kClassName[] = L"ZR305Indicator";
constexpr UINT_PTR kFadeTimer = 1;

// Layered for the alpha, transparent so clicks reach the window beneath,
// no-activate so a game keeps the keyboard, a tool window so no taskbar
// button appears.
constexpr DWORD kExtendedStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;

bool RegisterIndicatorClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(instance, kClassName, &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return ::RegisterClassExW(&windowClass) != 0;
}

PixelRect WorkAreaUnderPointer() {
  POINT pointer{};
  ::GetCursorPos(&pointer);
  // A work area comes from the system's own RECT, so its edges fit 32 bits.
  const ScreenArea area = MonitorWorkArea(ScreenArea{pointer.x, pointer.y, pointer.x + 1, pointer.y + 1});
  return {static_cast<std::int32_t>(area.left), static_cast<std::int32_t>(area.top),
          static_cast<std::int32_t>(area.right), static_cast<std::int32_t>(area.bottom)};
}

std::uint32_t PremultipliedBgra(Rgb colour, std::uint8_t alpha) {
  return static_cast<std::uint32_t>(alpha) << 24 | static_cast<std::uint32_t>(colour.red) << 16 |
         static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

}  // namespace

IndicatorWindow::~IndicatorWindow() {
  window_.reset();  // no message reaches the members once they start to go
  if (dc_ && previousBitmap_) ::SelectObject(dc_.get(), previousBitmap_);
}

LRESULT CALLBACK IndicatorWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<IndicatorWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && self->window_.get() == window) {
    // A message that fails takes the indicator off the screen.
    return ExceptionBarrier(
        "indicator's window procedure", [&] { return self->OnMessage(message, wParam, lParam); },
        [&] {
          ::KillTimer(window, kFadeTimer);
          ::ShowWindow(window, SW_HIDE);
          return LRESULT{0};
        });
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT IndicatorWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kFadeTimer) Step();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return ::DefWindowProcW(window_.get(), message, wParam, lParam);
  }
}

bool IndicatorWindow::EnsureWindow() {
  if (window_) return true;
  if (!RegisterIndicatorClass(instance_, Procedure)) return false;
  // The handle is taken before the first message that needs it arrives.
  HWND window = ::CreateWindowExW(kExtendedStyle, kClassName, L"", WS_POPUP, 0, 0, kIndicatorWidth, kIndicatorHeight,
                                  nullptr, nullptr, instance_, this);
  if (window == nullptr) return false;
  window_.reset(window);
  return true;
}

void IndicatorWindow::Show(const IndicatorContent& content, std::uint8_t languageFlag) {
  if (!EnsureWindow()) return;
  Render(content, languageFlag);
  const std::wstring caption = Wide(IndicatorCaption(content));
  ::SetWindowTextW(window_.get(), caption.c_str());
  const PixelRect placed = PlaceIndicator(WorkAreaUnderPointer(), size_.cx, size_.cy);
  position_ = {placed.left, placed.top};
  fade_.Restart(::GetTickCount64());
  const IndicatorFade::Frame frame = fade_.At(::GetTickCount64());
  Present(frame.alpha);
  if (!shown_) {
    ::SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    shown_ = true;
  }
  ::QueryPerformanceCounter(&lastShownAt_);
  ::SetTimer(window_.get(), kFadeTimer, frame.nextInMs.value_or(kIndicatorFrameMs), nullptr);
}

void IndicatorWindow::Hide() {
  fade_.Hide();
  if (!window_) return;
  ::KillTimer(window_.get(), kFadeTimer);
  ::ShowWindow(window_.get(), SW_HIDE);
  shown_ = false;
}

void IndicatorWindow::Step() {
  ::KillTimer(window_.get(), kFadeTimer);
  const IndicatorFade::Frame frame = fade_.At(::GetTickCount64());
  if (!frame.visible) {
    Hide();
    return;
  }
  Present(frame.alpha);
  ::SetTimer(window_.get(), kFadeTimer, frame.nextInMs.value_or(kIndicatorFrameMs), nullptr);
}

HFONT IndicatorWindow::Font(std::int32_t pixelHeight, bool bold, std::uint8_t languageFlag) {
  const bool english = languageFlag != 0;
  for (CachedFont& cached : fonts_)
    if (cached.font && cached.pixelHeight == pixelHeight && cached.bold == bold && (cached.languageFlag != 0) == english)
      return cached.font.get();
  // The skin's two faces, larger; antialiased, since the picture is not
  // bound to the pixels of a skin image.
  HFONT font = ::CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             english ? ANSI_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, (english ? FIXED_PITCH : DEFAULT_PITCH) | FF_DONTCARE,
                             english ? L"Consolas" : L"\u5B8B\u4F53");
  for (CachedFont& cached : fonts_) {
    if (!cached.font) {
      cached = {pixelHeight, bold, languageFlag, UniqueFont(font)};
      return font;
    }
  }
  // More sizes than the cache holds: start it again.
  for (CachedFont& cached : fonts_) cached.font.reset();
  fonts_[0] = {pixelHeight, bold, languageFlag, UniqueFont(font)};
  return font;
}

void IndicatorWindow::Render(const IndicatorContent& content, std::uint8_t languageFlag) {
  const IndicatorLayout layout = LayOutIndicator(content);
  const IndicatorPixels pixels = RenderIndicatorShapes(layout);
  if (!dc_ || size_.cx != pixels.width || size_.cy != pixels.height) {
    if (dc_ && previousBitmap_) ::SelectObject(dc_.get(), previousBitmap_);
    bitmap_.reset();
    dc_.reset(::CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top down, as the core's rows are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc_ || !bitmap_ || bits == nullptr) {
      bits_ = nullptr;
      return;
    }
    bits_ = static_cast<std::uint32_t*>(bits);
    previousBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
    size_ = {pixels.width, pixels.height};
  }
  const std::size_t count = pixels.colour.size();
  for (std::size_t i = 0; i < count; ++i) bits_[i] = PremultipliedBgra(pixels.colour[i], pixels.alpha[i]);

  HDC dc = dc_.get();
  ::SetBkMode(dc, TRANSPARENT);
  for (const IndicatorText& text : layout.texts) {
    SelectedObject font(dc, Font(text.pixelHeight, text.bold, languageFlag));
    ::SetTextColor(dc, RGB(text.colour.red, text.colour.green, text.colour.blue));
    RECT rect = ToRect(text.rect);
    const std::wstring wide = Wide(text.text);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    format |= text.align == IndicatorText::Align::Centre ? DT_CENTER : DT_LEFT;
    if (text.ellipsis) format |= DT_END_ELLIPSIS;
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
  }
  ::GdiFlush();
  // GDI writes no alpha: the texts lie on the opaque body, so every pixel
  // takes the shapes' alpha again, and the soft edges their own colour.
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t alpha = pixels.alpha[i];
    bits_[i] = alpha == 255 ? (bits_[i] | 0xFF000000u) : PremultipliedBgra(pixels.colour[i], alpha);
  }
}

void IndicatorWindow::Present(std::uint8_t alpha) {
  if (!dc_ || bits_ == nullptr) return;
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  ::UpdateLayeredWindow(window_.get(), nullptr, &position_, &size_, dc_.get(), &source, 0, &blend, ULW_ALPHA);
}

}  // namespace zr
