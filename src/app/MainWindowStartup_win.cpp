#include "app/MainWindowStartup_win.h"

#include <array>
#include <optional>
#include <string>

#include "config/ConfigDownload.h"
#include "platform/win32/GdiRegion.h"
#include "platform/win32/WideText.h"
#include "skin/MaskShape.h"
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

void MainWindowStartup::ClearHandoverFlags() {
  AppState& state = parts_.state;
  ButtonActionContext context{state.config,        state.macros,    parts_.files, state.paths.ConfigFile(),
                              state.currentConfig, parts_.repaint, &parts_.indicatorNews};
  parts_.device.Renew(std::move(context), state.config.MACRO_MODE2, parts_.Window(), [this] { exit_.Run(); });
}

void MainWindowStartup::AppendAboutItem() {
  HMENU systemMenu = ::GetSystemMenu(parts_.Window(), FALSE);
  std::array<wchar_t, 128> text{};
  if (systemMenu == nullptr ||
      ::LoadStringW(parts_.instance, IDS_ABOUTBOX, text.data(), static_cast<int>(text.size())) == 0)
    return;
  ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text.data());
}

void MainWindowStartup::SetBigIcon() {
  ::SendMessageW(parts_.Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(parts_.icon));
}

void MainWindowStartup::SetWindowTitle(std::u16string_view title) {
  const std::wstring text = Wide(title);
  ::SetWindowTextW(parts_.Window(), text.c_str());
}

void MainWindowStartup::ApplyWindowShape() {
  const std::optional<RgbImage> mask = parts_.decoder.Decode(parts_.state.paths.MaskImage());
  MainWindowRegions regions =
      BuildMainWindowRegions(mask ? &*mask : nullptr, kDefaultWidth, kDefaultHeight, parts_.state.skin.controls);
  parts_.width = regions.shape.width;
  parts_.height = regions.shape.height;
  parts_.advancedPaintRegion = MakeGdiRegion(regions.advancedPaint);
  input_.SetAdvancedPaintRegion(parts_.advancedPaintRegion.get());
  CentreOnScreen(parts_.Window(), parts_.width, parts_.height);
  if (regions.shape.fromMask) {
    // The window owns the region once it is set.
    if (UniqueRegion region = MakeGdiRegion(regions.shape.region);
        region && ::SetWindowRgn(parts_.Window(), region.get(), TRUE))
      region.release();
  }
}

void MainWindowStartup::LoadMenus(std::uint8_t languageFlag) {
  parts_.stepMenu.Load(parts_.instance, languageFlag != 0 ? IDR_STEP_MENU_EN : IDR_STEP_MENU_CN);
  parts_.trayMenu.Load(parts_.instance, languageFlag != 0 ? IDR_TRAY_MENU_EN : IDR_TRAY_MENU_CN);
  parts_.macroEditor.SetStepContextMenu(parts_.stepMenu.Handle());
}

void MainWindowStartup::ShowNoMouseMessage(std::u16string_view text, std::u16string_view caption) {
  const std::wstring textW = Wide(text), captionW = Wide(caption);
  ::MessageBoxW(parts_.Window(), textW.c_str(), captionW.c_str(), MB_OK);
}

void MainWindowStartup::Pause(std::chrono::milliseconds duration) { ::Sleep(static_cast<DWORD>(duration.count())); }

// A message box of the start (a missing file) lets other messages through,
// so the exit may have run before a later step: then there is nothing to
// download into and no window to put an icon for.
void MainWindowStartup::Download() {
  if (exit_.HasRun()) return;
  AppState& state = parts_.state;
  zr::Download({parts_.files, parts_.device.Reports(), parts_.system, parts_.repaint}, state.config,
               state.currentConfig, state.paths.ConfigFile());
}

void MainWindowStartup::AddTrayIcon() {
  if (!exit_.HasRun()) parts_.tray.Add(parts_.Window(), parts_.icon);
}

}  // namespace zr
