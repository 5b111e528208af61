// The skin on the real window system: regions built from runs against the
// region the window system builds pixel by pixel, Copy spot through GDI, the
// GDI+ decoder against GDI+'s own bitmap.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/GdiImages.h"
#include "platform/win32/GdiRegion.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/WideText.h"
#include "shared/PixelModels.h"
#include "skin/CopySpot_win.h"
#include "skin/MaskShape.h"
#include "skin/SkinImageFiles.h"
#include "wine/GdiPixelModel.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

RgbImage ReadBack(HDC dc, int width, int height) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = ::GetPixel(dc, x, y);
      image.Set(x, y, {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  return image;
}

TEST(GdiRegion, RunsGiveTheRegionTheWindowSystemBuildsPixelByPixel) {
  RgbImage channels(6, 2, {0, 0, 0});  // one channel at 100 keeps a pixel; each at 101 cuts it
  channels.Set(0, 0, {101, 101, 101});
  channels.Set(1, 0, {100, 255, 255});
  channels.Set(2, 0, {255, 100, 255});
  channels.Set(3, 0, {255, 255, 100});
  channels.Set(4, 1, {255, 255, 255});
  RgbImage checkerboard(100, 60);  // thousands of rectangles: more than one piece
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) checkerboard.Set(x, y, (x + y) % 2 ? Rgb{255, 255, 255} : Rgb{});
  struct Row {
    const char* what;
    RgbImage mask;
  };
  const Row rows[] = {
      {"channels", channels},
      {"all black", RgbImage(40, 30, {0, 0, 0})},
      {"all white", RgbImage(40, 30, {255, 255, 255})},
      {"noise around 100", NoisyMask(64, 48, 11, 90, 110)},
      {"checkerboard", checkerboard},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SelectedBitmap mask(MakeDibSection(row.mask));
    ASSERT_TRUE(mask.bitmap);
    ASSERT_EQ(ReadBack(mask.dc.get(), row.mask.Width(), row.mask.Height()), row.mask);
    const UniqueRegion expected = PerPixelGdiShape(mask.dc.get(), row.mask.Width(), row.mask.Height());
    const UniqueRegion fromRuns = MakeGdiRegion(DarkPixelRegion(row.mask));
    ASSERT_TRUE(fromRuns);
    EXPECT_TRUE(::EqualRgn(fromRuns.get(), expected.get()));
  }
}

TEST(GdiRegion, TheAdvancedPaintRegionIsTheWindowSystemsExclusiveOr) {
  RgbImage mask(80, 40, {255, 255, 255});
  for (int y = 2; y < 38; ++y)
    for (int x = 0; x < 60; ++x) mask.Set(x, y, {0, 0, 0});
  AdvancedControlRects controls;
  controls.macroNameEdit = {50, 0, 75, 10};  // sticks out of the shape
  controls.stepList = {20, 30, 5, 12};       // corners the wrong way round
  controls.macroList = {10, 10, 25, 20};     // overlaps the step list
  const MainWindowRegions regions = BuildMainWindowRegions(&mask, 1, 1, controls);

  SelectedBitmap bitmap(MakeDibSection(mask));
  UniqueRegion expected = PerPixelGdiShape(bitmap.dc.get(), 80, 40);
  for (const PixelRect& r : {controls.macroNameEdit, controls.stepList, controls.macroList}) {
    UniqueRegion rect(::CreateRectRgn(r.left, r.top, r.right, r.bottom));
    ::CombineRgn(expected.get(), expected.get(), rect.get(), RGN_XOR);
  }
  EXPECT_TRUE(::EqualRgn(MakeGdiRegion(regions.advancedPaint).get(), expected.get()));
  EXPECT_TRUE(::PtInRegion(MakeGdiRegion(regions.advancedPaint).get(), 70, 5));  // outside part added
}

TEST(GdiRegion, TheShippedMaskGivesTheSameShapeThroughEitherBitmap) {
  // GDI+'s own bitmap read with GetPixel, against our pixels read by GDI+.
  const std::wstring file = SourceFolder() + L"\\data\\skins" + Wide(kMainPageImages.mask);
  auto image = GdiplusImage::Load(FromWide(file));
  ASSERT_NE(image, nullptr);
  HBITMAP handle = nullptr;
  ASSERT_EQ(image->Bitmap().GetHBITMAP(Gdiplus::Color(0, 0, 0), &handle), Gdiplus::Ok);
  SelectedBitmap gdiplusBitmap{UniqueBitmap(handle)};
  const UniqueRegion expected = PerPixelGdiShape(gdiplusBitmap.dc.get(), image->Width(), image->Height());

  GdiplusImageDecoder decoder;
  const auto mask = decoder.Decode(FromWide(file));
  ASSERT_TRUE(mask);
  EXPECT_TRUE(::EqualRgn(MakeGdiRegion(BuildMaskShape(&*mask, 1, 1).region).get(), expected.get()));
}

TEST(GdiImages, CopySpotThroughGdiMatchesThePortableCopy) {
  RgbImage frame(40, 30), source(32, 36);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) frame.Set(x, y, {10, std::uint8_t(x), std::uint8_t(y)});
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 32; ++x) source.Set(x, y, {200, std::uint8_t(x * 3), std::uint8_t(y * 5)});
  const PixelRect spots[] = {{3, 4, 13, 10}, {30, 20, 50, 40}, {-5, -5, 7, 7}, {35, 0, 45, 30}, {2, 2, 2, 7},
                             {2, 2, -2, 7}};
  SelectedBitmap target(MakeDibSection(frame)), from(MakeDibSection(source));
  RgbImage expected = frame;
  for (const PixelRect& spot : spots) {
    CopySpot(target.dc.get(), from.dc.get(), spot);
    CopySpot(expected, source, spot);
  }
  EXPECT_EQ(ReadBack(target.dc.get(), 40, 30), expected);
}

}  // namespace
}  // namespace zr::test
