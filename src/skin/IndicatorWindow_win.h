// The on-screen indicator's window: a layered, topmost tool window that
// never takes the focus or a click, drawn with per-pixel alpha from the
// core's picture and the skin's font, on the monitor under the pointer. Its
// timer runs only while it is on the screen.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>

#include "device/MouseChangeNotices.h"

#include "platform/win32/Handles.h"
#include "skin/Indicator.h"

namespace zr {

// The button-action worker's news, posted to the main window: wParam one of
// IndicatorNews, lParam the new level or step.
inline constexpr UINT kIndicatorNewsMessage = WM_APP + 0x121;
enum IndicatorNews : WPARAM { kDpiLevelNews = 0, kReportRateNews = 1 };

// The worker's side: it only posts, so the window is touched on the
// interface thread alone.
class IndicatorNewsPoster final : public MouseChangeNotices {
 public:
  void SetWindow(HWND window) { window_.store(window); }
  void DpiLevelChanged(std::int32_t level) override { Post(kDpiLevelNews, level); }
  void ReportRateChanged(std::uint8_t step) override { Post(kReportRateNews, step); }

 private:
  void Post(WPARAM news, LPARAM value) {
    if (HWND window = window_.load()) ::PostMessageW(window, kIndicatorNewsMessage, news, value);
  }
  std::atomic<HWND> window_{nullptr};
};

class IndicatorWindow {
 public:
  explicit IndicatorWindow(HINSTANCE instance) : instance_(instance) {}
  ~IndicatorWindow();
  IndicatorWindow(const IndicatorWindow&) = delete;
  IndicatorWindow& operator=(const IndicatorWindow&) = delete;

  // Shows the content, or replaces what is shown and starts its time again.
  void Show(const IndicatorContent& content, std::uint8_t languageFlag);
  void Hide();

  HWND Handle() const { return window_.get(); }
  bool Shown() const { return shown_; }
  // When the last Show put its picture on the screen (performance counter),
  // for the timing harness.
  LARGE_INTEGER LastShownAt() const { return lastShownAt_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool EnsureWindow();
  void Render(const IndicatorContent& content, std::uint8_t languageFlag);
  void Present(std::uint8_t alpha);
  void Step();
  HFONT Font(std::int32_t pixelHeight, bool bold, std::uint8_t languageFlag);

  HINSTANCE instance_;
  UniqueWindow window_;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  SIZE size_{};
  POINT position_{};
  IndicatorFade fade_;
  bool shown_ = false;
  LARGE_INTEGER lastShownAt_{};
  struct CachedFont {
    std::int32_t pixelHeight = 0;
    bool bold = false;
    std::uint8_t languageFlag = 0;
    UniqueFont font;
  };
  std::array<CachedFont, 6> fonts_;
};

}  // namespace zr
