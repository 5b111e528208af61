// The portable region against a set of pixels, and the mask shapes built
// from runs against the pixel-by-pixel rule.
#include <gtest/gtest.h>

#include <random>

#include "shared/PixelModels.h"
#include "skin/MaskShape.h"

namespace zr::test {
namespace {

PixelSet RectPixels(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  return PixelsOf(Region::Rectangle(l, t, r, b));
}

PixelSet SymmetricDifference(const PixelSet& a, const PixelSet& b) {
  PixelSet out;
  for (const auto& p : a)
    if (!b.count(p)) out.insert(p);
  for (const auto& p : b)
    if (!a.count(p)) out.insert(p);
  return out;
}

TEST(Region, RectanglesTakeTheirCornersInEitherOrder) {
  EXPECT_EQ(Region::Rectangle(0, 0, 3, 2).Area(), 6);
  EXPECT_EQ(Region::Rectangle(3, 2, 0, 0), Region::Rectangle(0, 0, 3, 2));
  EXPECT_EQ(Region::Rectangle(3, 0, 0, 2), Region::Rectangle(0, 0, 3, 2));
  EXPECT_TRUE(Region::Rectangle(5, 5, 5, 9).Empty());
  EXPECT_TRUE(Region::Rectangle(5, 5, 9, 5).Empty());
  EXPECT_EQ(Region::Rectangle(-4, -4, -2, -1).Bounds(), (PixelRect{-4, -4, -2, -1}));

  const Region r = Region::Rectangle(2, 3, 5, 7);
  EXPECT_TRUE(r.Contains(2, 3));
  EXPECT_TRUE(r.Contains(4, 6));
  EXPECT_FALSE(r.Contains(5, 6));  // right and bottom edges are outside
  EXPECT_FALSE(r.Contains(4, 7));
  EXPECT_FALSE(r.Contains(1, 3));
}

TEST(Region, ExclusiveOrMatchesTheSymmetricDifferenceOfPixels) {
  struct Row {
    const char* what;
    PixelRect a, b;
  };
  const Row rows[] = {
      {"disjoint", {0, 0, 2, 2}, {5, 5, 7, 7}},
      {"side by side, touching", {0, 0, 2, 4}, {2, 0, 5, 4}},
      {"stacked, touching", {0, 0, 4, 2}, {0, 2, 4, 5}},
      {"overlapping corners", {0, 0, 4, 4}, {2, 2, 6, 6}},
      {"one inside the other", {0, 0, 8, 8}, {2, 3, 5, 6}},
      {"equal", {1, 1, 4, 4}, {1, 1, 4, 4}},
      {"cross", {3, 0, 5, 8}, {0, 3, 8, 5}},
      {"negative coordinates", {-5, -5, 1, 1}, {-2, -8, 4, -1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Region a = Region::Rectangle(row.a.left, row.a.top, row.a.right, row.a.bottom);
    const Region b = Region::Rectangle(row.b.left, row.b.top, row.b.right, row.b.bottom);
    const PixelSet expected = SymmetricDifference(PixelsOf(a), PixelsOf(b));
    EXPECT_EQ(PixelsOf(a.Xor(b)), expected);
    EXPECT_EQ(a.Xor(b), b.Xor(a));
    EXPECT_EQ(a.Xor(b).Area(), static_cast<std::int64_t>(expected.size()));
    EXPECT_TRUE(a.Xor(b).Xor(b) == a);
  }
}

TEST(Region, SameAreaReachedAnyWayIsEqual) {
  // Four quarters added one by one give the one rectangle, whatever the order.
  const Region whole = Region::Rectangle(0, 0, 10, 10);
  const Region quarters[] = {Region::Rectangle(0, 0, 5, 5), Region::Rectangle(5, 0, 10, 5),
                             Region::Rectangle(0, 5, 5, 10), Region::Rectangle(5, 5, 10, 10)};
  Region forwards, backwards;
  for (int i = 0; i < 4; ++i) {
    forwards = forwards.Xor(quarters[i]);
    backwards = backwards.Xor(quarters[3 - i]);
  }
  EXPECT_EQ(forwards, whole);
  EXPECT_EQ(backwards, whole);
  EXPECT_EQ(whole.Rectangles(), (std::vector<PixelRect>{{0, 0, 10, 10}}));
  EXPECT_NE(whole, Region::Rectangle(0, 0, 10, 9));
}

TEST(Region, RandomExclusiveOrSequencesAgreeWithThePixelModel) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-3, 12);
  for (int round = 0; round < 40; ++round) {
    Region region;
    PixelSet model;
    for (int step = 0; step < 12; ++step) {
      const int l = coordinate(random), t = coordinate(random), r = coordinate(random), b = coordinate(random);
      region = region.Xor(Region::Rectangle(l, t, r, b));
      model = SymmetricDifference(model, RectPixels(l, t, r, b));
    }
    ASSERT_EQ(PixelsOf(region), model) << "round " << round;
    for (int y = -4; y < 14; ++y)
      for (int x = -4; x < 14; ++x) ASSERT_EQ(region.Contains(x, y), model.count({x, y}) == 1) << x << "," << y;
  }
}

TEST(MaskShape, ALightPixelHasEveryChannelAbove100) {
  struct Row {
    Rgb pixel;
    bool light;
  };
  const Row rows[] = {
      {{101, 101, 101}, true}, {{100, 255, 255}, false}, {{255, 100, 255}, false}, {{255, 255, 100}, false},
      {{255, 255, 255}, true}, {{0, 0, 0}, false},       {{200, 200, 101}, true},  {{100, 100, 100}, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsLightPixel(row.pixel), row.light) << int(row.pixel.red) << "," << int(row.pixel.green) << ","
                                                  << int(row.pixel.blue);
  }
}

TEST(MaskShape, RunsGiveExactlyThePerPixelShape) {
  struct Row {
    const char* what;
    RgbImage mask;
  };
  RgbImage frame(9, 7, {255, 255, 255});
  for (int y = 1; y < 6; ++y)
    for (int x = 2; x < 8; ++x) frame.Set(x, y, {0, 0, 0});
  frame.Set(4, 3, {200, 200, 200});  // a hole
  RgbImage checkerboard(6, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) checkerboard.Set(x, y, (x + y) % 2 ? Rgb{255, 255, 255} : Rgb{});
  RgbImage lightEdges(5, 4);
  for (int y = 0; y < 4; ++y) lightEdges.Set(0, y, {255, 255, 255}), lightEdges.Set(4, y, {255, 255, 255});
  // Uniform stretches with single odd pixels at every offset within and
  // across the eight-pixel chunks the scan settles at once.
  RgbImage strays(41, 20, {0, 0, 0});
  for (int y = 0; y < 10; ++y) strays.Set((y * 5) % 41, y, {200, 200, 200});
  for (int y = 10; y < 20; ++y) {
    for (int x = 0; x < 41; ++x) strays.Set(x, y, {230, 240, 250});
    strays.Set((y * 7) % 41, y, {101, 100, 255});
  }
  RgbImage edges(64, 3, {0, 0, 0});  // chunks whose bytes sit just either side of 100
  for (int x = 0; x < 64; ++x) {
    edges.Set(x, 0, {100, 100, 100});
    edges.Set(x, 1, {101, 101, 101});
    edges.Set(x, 2, x % 2 ? Rgb{228, 229, 255} : Rgb{127, 128, 129});
  }
  const Row rows[] = {
      {"strays", strays},
      {"edges of the byte tests", edges},
      {"all black", RgbImage(8, 5, {0, 0, 0})},
      {"all white", RgbImage(8, 5, {255, 255, 255})},
      {"one pixel, dark", RgbImage(1, 1, {100, 100, 100})},
      {"one pixel, light", RgbImage(1, 1, {101, 101, 101})},
      {"frame with a hole", frame},
      {"checkerboard", checkerboard},
      {"light first and last columns", lightEdges},
      {"noise around 100", NoisyMask(23, 17, 1, 90, 110)},
      {"noise just around the threshold", NoisyMask(31, 9, 2, 99, 102)},
      {"noise over the whole range", NoisyMask(17, 23, 3, 0, 255)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Region fast = DarkPixelRegion(row.mask);
    EXPECT_EQ(fast, PerPixelMaskShape(row.mask));
    for (std::int32_t y = -1; y <= row.mask.Height(); ++y)
      for (std::int32_t x = -1; x <= row.mask.Width(); ++x) {
        const bool inside = x >= 0 && y >= 0 && x < row.mask.Width() && y < row.mask.Height();
        ASSERT_EQ(fast.Contains(x, y), inside && !IsLightPixel(row.mask.At(x, y))) << x << "," << y;
      }
  }
  EXPECT_EQ(DarkPixelRegion(RgbImage(8, 5, {0, 0, 0})), Region::Rectangle(0, 0, 8, 5));
  EXPECT_TRUE(DarkPixelRegion(RgbImage(8, 5, {255, 255, 255})).Empty());
}

TEST(MaskShape, AMissingOrEmptyMaskGivesTheWindowsOwnRectangle) {
  const WindowShape missing = BuildMaskShape(nullptr, 640, 480);
  EXPECT_FALSE(missing.fromMask);
  EXPECT_EQ(missing.width, 640);
  EXPECT_EQ(missing.height, 480);
  EXPECT_EQ(missing.region, Region::Rectangle(0, 0, 640, 480));

  const RgbImage empty;
  EXPECT_FALSE(BuildMaskShape(&empty, 10, 20).fromMask);

  const RgbImage mask(30, 20, {0, 0, 0});
  const WindowShape shape = BuildMaskShape(&mask, 640, 480);
  EXPECT_TRUE(shape.fromMask);
  EXPECT_EQ(shape.width, 30);
  EXPECT_EQ(shape.height, 20);
}

TEST(MaskShape, AdvancedPaintRegionTogglesThreeControlsOutOfTheShape) {
  // The shape: the left 40 columns of a 60 x 30 mask.
  RgbImage mask(60, 30, {255, 255, 255});
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) mask.Set(x, y, {0, 0, 0});
  AdvancedControlRects controls;
  controls.repeatCountEdit = {2, 2, 8, 8};   // never cut out
  controls.macroNameEdit = {30, 2, 50, 8};   // half outside the shape: that half is added
  controls.stepList = {2, 10, 12, 20};
  controls.macroList = {10, 15, 20, 25};     // overlaps the step list: the overlap comes back
  const MainWindowRegions regions = BuildMainWindowRegions(&mask, 1, 1, controls);

  PixelSet expected = PixelsOf(regions.shape.region);
  for (const PixelRect& r : {controls.macroNameEdit, controls.stepList, controls.macroList})
    expected = SymmetricDifference(expected, RectPixels(r.left, r.top, r.right, r.bottom));
  EXPECT_EQ(PixelsOf(regions.advancedPaint), expected);
  EXPECT_TRUE(regions.advancedPaint.Contains(3, 3));    // repeat-count edit
  EXPECT_FALSE(regions.advancedPaint.Contains(35, 5));  // name edit, inside the shape
  EXPECT_TRUE(regions.advancedPaint.Contains(45, 5));   // name edit, outside the shape
  EXPECT_FALSE(regions.advancedPaint.Contains(5, 12));  // step list only
  EXPECT_TRUE(regions.advancedPaint.Contains(11, 16));  // both lists
  EXPECT_FALSE(regions.advancedPaint.Contains(15, 22)); // macro list only

  // Zero rectangles from missing keys change nothing; reversed corners count as a rectangle.
  EXPECT_EQ(BuildMainWindowRegions(&mask, 1, 1, {}).advancedPaint, regions.shape.region);
  AdvancedControlRects reversed;
  reversed.stepList = {12, 20, 2, 10};
  EXPECT_EQ(BuildMainWindowRegions(&mask, 1, 1, reversed).advancedPaint,
            regions.shape.region.Xor(Region::Rectangle(2, 10, 12, 20)));
}

}  // namespace
}  // namespace zr::test
