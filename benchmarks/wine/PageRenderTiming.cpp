// Times one hover repaint of the main page on the window system: the
// renderer composing into its kept frame from kept section bitmaps and
// copying it to a window, against decoding the page's three images through
// GDI+ in every paint (a fresh renderer each time), as the window first did.
// Usage: zr_timing_PageRenderTiming
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Win32FileQueries.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "shared/RecordingNotices.h"
#include "app/AppPaths.h"
#include "skin/PageRenderer_win.h"
#include "skin/SkinFonts_win.h"
#include "skin/SkinReader.h"
#include "wine/WinePaths.h"
#include "MedianTime.h"
#include "platform/win32/WideText.h"

using zr::timing::MedianMs;
using zr::timing::NowMs;

int main() {
  using namespace zr;
  AppPaths paths{FromWide(test::SourceFolder() + L"\\data")};
  Win32ProfileFiles profiles;
  Win32FileQueries files;
  test::RecordingNotices notices;
  SkinValueReader reader({profiles, files, notices, notices});
  SkinLayouts skin;
  if (!LoadPageLayouts(reader, paths, 1, skin)) {
    std::fprintf(stderr, "cannot read the skin layouts\n");
    return 1;
  }
  UiState ui;
  ColourPreviewState preview;
  ConfigRecord config;
  SetFactoryDefaults(config);
  MacroTables macros;
  MacroEditorState editor;
  SkinFonts fonts = SkinFonts::Created();
  constexpr int kWidth = 1000, kHeight = 600;
  const PaintInputs inputs{ui, preview, config, macros, editor, skin, 1, 1, kWidth, kHeight};

  HWND window = ::CreateWindowExW(0, L"STATIC", L"page", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                  nullptr, nullptr);
  HDC dc = ::GetDC(window);
  GdiplusImageDecoder decoder;
  PageRenderer kept(decoder, paths.SkinFolder());
  kept.Paint(dc, inputs, fonts.Current(1));  // the first paint decodes

  const auto hover = [&] { ui.mainHover = ui.mainHover == 26 ? 27 : 26; };
  const double keptMs = MedianMs(201, [&] {
    hover();
    kept.Paint(dc, inputs, fonts.Current(1));
    ::GdiFlush();
  });
  const double decodingMs = MedianMs(21, [&] {
    hover();
    PageRenderer fresh(decoder, paths.SkinFolder());
    fresh.Paint(dc, inputs, fonts.Current(1));
    ::GdiFlush();
  });
  ::ReleaseDC(window, dc);
  ::DestroyWindow(window);

  std::printf("hover repaint of the main page, %dx%d, median\n", kWidth, kHeight);
  std::printf("  decoding the three images each paint: %8.3f ms\n", decodingMs);
  std::printf("  kept section bitmaps and frame:       %8.3f ms\n", keptMs);
  std::printf("  speed-up: %.0fx\n", decodingMs / keptMs);
  return 0;
}
