// Times the main window's shape on the window system: the per-pixel build
// (GetPixel and one exclusive-or combine per light pixel) against runs of
// dark pixels handed over as one rectangle list. Decoding is not timed.
// Usage: zr_timing_RegionTiming [mask.jpg]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/win32/GdiImages.h"
#include "platform/win32/GdiRegion.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/WideText.h"
#include "skin/MaskShape.h"
#include "wine/GdiPixelModel.h"
#include "wine/WinePaths.h"
#include "MedianTime.h"

using zr::timing::MedianMs;
using zr::timing::NowMs;

int main(int argc, char** argv) {
  using namespace zr;
  const std::wstring file = argc > 1 ? Wide(Utf16FromUtf8(argv[1])) : test::SourceFolder() + L"\\data\\skins\\main_mask.jpg";
  GdiplusImageDecoder decoder;
  const auto mask = decoder.Decode(FromWide(file));
  if (!mask) {
    std::fwprintf(stderr, L"cannot decode %ls\n", file.c_str());
    return 1;
  }
  test::SelectedBitmap bitmap(MakeDibSection(*mask));

  UniqueRegion perPixel, fromRuns;
  const double perPixelMs = MedianMs(5, [&] { perPixel = test::PerPixelGdiShape(bitmap.dc.get(), mask->Width(), mask->Height()); });
  const double runsMs = MedianMs(51, [&] { fromRuns = MakeGdiRegion(DarkPixelRegion(*mask)); });
  const bool equal = ::EqualRgn(perPixel.get(), fromRuns.get()) != FALSE;

  std::printf("mask %dx%d\n", mask->Width(), mask->Height());
  std::printf("per-pixel GetPixel + CombineRgn XOR: %.2f ms (median of 5)\n", perPixelMs);
  std::printf("runs of dark pixels + ExtCreateRegion: %.3f ms (median of 51)\n", runsMs);
  std::printf("speed-up: %.0fx, regions equal: %s\n", perPixelMs / runsMs, equal ? "yes" : "NO");
  return equal ? 0 : 1;
}
