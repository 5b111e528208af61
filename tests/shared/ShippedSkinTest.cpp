// The skin that ships, read as the program reads it: both languages' layout
// files through the profile functions under test, every image through the
// platform's decoder. Checks that spots and pictures agree.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/AppPaths.h"
#include "platform/Text.h"
#include "shared/ProfileUnderTest.h"
#include "shared/RecordingNotices.h"
#include "shared/PlatformUnderTest.h"
#include "skin/MaskShape.h"
#include "skin/SkinImageFiles.h"
#include "skin/SkinReader.h"

namespace zr::test {
namespace {

struct Size {
  std::int32_t width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

// Decodes every image once for the whole suite.
class ShippedSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    paths_ = new AppPaths{InstallationDataPath(u"")};
    images_ = new std::map<std::u16string, RgbImage>;
    auto decoder = MakeImageDecoderUnderTest();
    std::vector<std::u16string_view> names{kLedDarkImage, kLedBlueImage};
    for (const SurfaceImages& set : {kMainPageImages, kAdvancedPageImages, kColorPageImages, kMenuImages,
                                     kSubMenuImages, kWarningImages})
      for (std::u16string_view name : {set.normal, set.over, set.down, set.mask})
        if (!name.empty()) names.push_back(name);
    for (std::u16string_view name : names)
      if (auto image = decoder->Decode(paths_->SkinImage(name))) images_->emplace(name, std::move(*image));
  }
  static void TearDownTestSuite() {
    delete images_;
    delete paths_;
  }

  void SetUp() override {
    for (std::uint8_t language : {0, 1}) {
      SkinValueReader reader({*files, *fileQueries, notices, notices});
      ASSERT_TRUE(LoadPageLayouts(reader, *paths_, language, skins[language]));
      ASSERT_TRUE(LoadWarningLayout(reader, *paths_, language, skins[language]));
    }
    ASSERT_TRUE(notices.messages.empty());
  }

  static const RgbImage& Image(std::u16string_view name) {
    static const RgbImage kNone;
    const auto found = images_->find(std::u16string(name));
    return found == images_->end() ? kNone : found->second;
  }
  static Size SizeOf(std::u16string_view name) { return {Image(name).Width(), Image(name).Height()}; }

  static AppPaths* paths_;
  static std::map<std::u16string, RgbImage>* images_;
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  std::unique_ptr<FileQueries> fileQueries = MakeFileQueriesUnderTest();
  RecordingNotices notices;
  SkinLayouts skins[2];
};

AppPaths* ShippedSkin::paths_ = nullptr;
std::map<std::u16string, RgbImage>* ShippedSkin::images_ = nullptr;

bool Empty(const SkinEntry& e) { return e.width == 0 && e.height == 0; }
bool Inside(const PixelRect& r, Size size) {
  return r.left >= 0 && r.top >= 0 && r.right <= size.width && r.bottom <= size.height && r.left < r.right &&
         r.top < r.bottom;
}
bool Overlap(const PixelRect& a, const PixelRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(ShippedSkin, EveryImageDecodesAndTheImagesOfASurfaceShareTheirSize) {
  const Size window = SizeOf(kMainPageImages.mask);
  ASSERT_GT(window.width, 0);
  // About 1000 x 600, and whole on a 1366 x 768 screen with a taskbar.
  EXPECT_GE(window.width, 900);
  EXPECT_LE(window.width, 1366);
  EXPECT_GE(window.height, 500);
  EXPECT_LE(window.height, 728);
  for (const SurfaceImages& set : {kMainPageImages, kAdvancedPageImages, kColorPageImages})
    for (std::u16string_view name : {set.normal, set.over, set.down}) EXPECT_EQ(SizeOf(name), window) << Utf8FromUtf16(name);
  EXPECT_EQ(SizeOf(kLedDarkImage), window);
  EXPECT_EQ(SizeOf(kLedBlueImage), window);
  for (const SurfaceImages& set : {kMenuImages, kSubMenuImages, kWarningImages}) {
    const Size size = SizeOf(set.mask);
    EXPECT_GT(size.width, 0) << Utf8FromUtf16(set.mask);
    for (std::u16string_view name : {set.normal, set.over, set.down})
      if (!name.empty()) {
        EXPECT_EQ(SizeOf(name), size) << Utf8FromUtf16(name);
      }
  }
}

TEST_F(ShippedSkin, MenuStripsAreEqualAndLineUpWithTheirSubMenus) {
  const Size menu = SizeOf(kMenuImages.mask), sub = SizeOf(kSubMenuImages.mask);
  const std::int32_t hm = menu.height / kMenuStrips, hs = sub.height / kSubMenuStrips;
  ASSERT_GT(hm, 0);
  EXPECT_EQ(menu.height, kMenuStrips * hm + 1);  // the window shows 10 strips and one bottom row
  EXPECT_EQ(sub.height, kSubMenuStrips * hs + 1);
  EXPECT_EQ(hm, hs);  // a sub-menu ends level with the item that opened it only then
  // The pop-ups are 300 x 300 and 300 x 400 windows cut to the menus.
  EXPECT_LE(menu.width, 300);
  EXPECT_LE(menu.height, 300);
  EXPECT_LE(sub.width, 300);
  EXPECT_LE(sub.height, 400);
}

TEST_F(ShippedSkin, MasksGiveADesignedOutlineWhateverTheDecoder) {
  for (std::u16string_view name : {kMainPageImages.mask, kWarningImages.mask}) {
    SCOPED_TRACE(Utf8FromUtf16(name));
    const RgbImage& mask = Image(name);
    ASSERT_FALSE(mask.Empty());
    // Far from the threshold on both sides, so no decoder's rounding moves the outline.
    for (std::int32_t y = 0; y < mask.Height(); ++y)
      for (std::int32_t x = 0; x < mask.Width(); ++x) {
        const Rgb p = mask.At(x, y);
        const int low = std::min({p.red, p.green, p.blue}), high = std::max({p.red, p.green, p.blue});
        ASSERT_TRUE(high <= 60 || low >= 160) << x << "," << y;
      }
    const WindowShape shape = BuildMaskShape(&mask, 1, 1);
    EXPECT_TRUE(shape.fromMask);
    EXPECT_NE(shape.region, Region::Rectangle(0, 0, mask.Width(), mask.Height()));  // not a plain rectangle
    EXPECT_GT(shape.region.Area(), std::int64_t{mask.Width()} * mask.Height() * 9 / 10);
    EXPECT_FALSE(shape.region.Contains(0, 0));
    EXPECT_TRUE(shape.region.Contains(mask.Width() / 2, mask.Height() / 2));
  }
}

template <std::size_t N>
void ExpectSpotsInShape(const std::array<SkinEntry, N>& table, const Region& shape, Size size, const char* what) {
  for (std::size_t i = 0; i < N; ++i) {
    if (Empty(table[i])) continue;
    const PixelRect r = table[i].Rect();
    ASSERT_TRUE(Inside(r, size)) << what << " entry " << i;
    for (std::int32_t y = r.top; y < r.bottom; ++y)
      for (std::int32_t x = r.left; x < r.right; ++x)
        ASSERT_TRUE(shape.Contains(x, y)) << what << " entry " << i << " is cut at " << x << "," << y;
  }
}

TEST_F(ShippedSkin, EverySpotLiesInsideItsImageAndItsWindowsShape) {
  const Region main = DarkPixelRegion(Image(kMainPageImages.mask));
  const Region warning = DarkPixelRegion(Image(kWarningImages.mask));
  const Size window = SizeOf(kMainPageImages.mask);
  for (const SkinLayouts& skin : skins) {
    ExpectSpotsInShape(skin.main, main, window, "main");
    ExpectSpotsInShape(skin.advanced, main, window, "advanced");
    ExpectSpotsInShape(skin.color, main, window, "color");
    ExpectSpotsInShape(skin.warning, warning, SizeOf(kWarningImages.mask), "warning");
    for (const PixelRect& r : {skin.controls.repeatCountEdit, skin.controls.macroNameEdit, skin.controls.macroList,
                              skin.controls.stepList})
      EXPECT_TRUE(Inside(r, window));
  }
}

TEST_F(ShippedSkin, EveryEntryThatTheProgramAddressesHasASpot) {
  std::vector<int> main{0};
  for (int i = 2; i <= 19; ++i) main.push_back(i);
  for (int first : {25, 46, 54, 115})
    for (int i = first; i < first + (first == 25 || first == 115 ? 6 : 4); ++i) main.push_back(i);
  for (int i = 66; i <= 113; ++i) main.push_back(i);
  main.insert(main.end(), {41, 42});
  std::vector<int> advanced{30, 31, 32, 33, 43, 44};
  for (int i = 0; i <= 27; ++i) advanced.push_back(i);
  for (const SkinLayouts& skin : skins) {
    for (int i : main) EXPECT_FALSE(Empty(skin.main[i])) << "main " << i;
    for (int i : advanced) EXPECT_FALSE(Empty(skin.advanced[i])) << "advanced " << i;
    for (int i : {0, 1, 2, 3, 9, 11}) EXPECT_FALSE(Empty(skin.color[i])) << "color " << i;
    for (int i : {0, 1, 2}) EXPECT_FALSE(Empty(skin.warning[i])) << "warning " << i;
    for (int i : {0, 1, 2}) EXPECT_FALSE(skin.warning[i].label.empty()) << "warning " << i;
    for (int key = 1; key <= 38; ++key)
      if (key <= 16 || key >= 21) {
        EXPECT_FALSE(skin.functionNames[key].empty()) << "function " << key;
      }
  }
}

TEST_F(ShippedSkin, BothLanguagesHaveEveryKeyAndTheSameSpots) {
  // The pictures are the same in both languages, so the rectangles must be too.
  struct Section {
    const char16_t* name;
    std::vector<int> keys;
  };
  const auto range = [](int first, int last) {
    std::vector<int> keys;
    for (int k = first; k <= last; ++k) keys.push_back(k);
    return keys;
  };
  const std::pair<SkinLayoutFile, std::vector<Section>> files_[] = {
      {SkinLayoutFile::Main, {{u"BUTTONPOS", range(0, 123)}, {u"FUN_STRING", range(1, 54)}}},
      {SkinLayoutFile::Advanced, {{u"BUTTONPOS", range(0, 51)}, {u"EDIT", {3, 4}}, {u"MACRODISPLAY", {1, 2}}}},
      {SkinLayoutFile::Color, {{u"BUTTONPOS", range(0, 12)}}},
      {SkinLayoutFile::Warning, {{u"BUTTONPOS", range(0, 2)}}},
  };
  constexpr std::u16string_view kAbsent = u"<absent>";
  for (const auto& [file, sections] : files_) {
    for (const Section& section : sections)
      for (int key : section.keys) {
        std::u16string value[2];
        for (std::uint8_t language : {0, 1})
          value[language] = files->ReadString(section.name, DecimalText(key), kAbsent, kSkinValueBufferSize,
                                              paths_->SkinLayout(file, language));
        SCOPED_TRACE(Utf8FromUtf16(section.name) + " " + std::to_string(key));
        EXPECT_NE(value[0], kAbsent);
        EXPECT_NE(value[1], kAbsent);
        if (std::u16string_view(section.name) != u"FUN_STRING") {
          const SkinFields cn = SplitSkinFields(value[0]).fields, en = SplitSkinFields(value[1]).fields;
          for (int f = 0; f <= 4; ++f) EXPECT_EQ(cn[f], en[f]);
        }
      }
  }
}

// The program draws labels in "Consolas" 14 x 7 (English) or "宋体" 12 x 6
// (Chinese, where a Chinese character takes two cells).
std::int32_t LabelWidth(std::u16string_view text, std::uint8_t language) {
  std::int32_t width = 0;
  for (char16_t c : text) width += language ? 7 : (c < 0x80 ? 6 : 12);
  return width;
}

TEST_F(ShippedSkin, EveryLabelFitsItsSpotInItsLanguagesFont) {
  const std::int32_t menuWidth = SizeOf(kMenuImages.mask).width;
  for (std::uint8_t language : {0, 1}) {
    const SkinLayouts& skin = skins[language];
    const std::int32_t height = language ? 14 : 12;
    const auto check = [&](const SkinEntry& e, const std::string& what) {
      if (e.label.empty()) return;
      EXPECT_LE(LabelWidth(e.label, language), e.width) << what << " " << Utf8FromUtf16(e.label);
      EXPECT_LE(height, e.height) << what;
    };
    for (std::size_t i = 0; i < skin.main.size(); ++i) check(skin.main[i], "main " + std::to_string(i));
    for (std::size_t i = 0; i < skin.advanced.size(); ++i) check(skin.advanced[i], "advanced " + std::to_string(i));
    for (std::size_t i = 0; i < skin.color.size(); ++i) check(skin.color[i], "color " + std::to_string(i));
    for (std::size_t i = 0; i < skin.warning.size(); ++i) check(skin.warning[i], "warning " + std::to_string(i));
    // Function names go into the menus and, from 5 pixels in, into the button fields before their arrow.
    for (int key = 1; key <= 38; ++key) {
      const std::int32_t width = LabelWidth(skin.functionNames[key], language);
      EXPECT_LE(width, menuWidth) << key;
      for (int button = 25; button <= 30; ++button) EXPECT_LE(5 + width, skin.main[button].width - 28) << key;
    }
    // The replaced labels' longest texts.
    EXPECT_LE(LabelWidth(u"300ms", language), skin.advanced[33].width);
    EXPECT_LE(LabelWidth(u"[↓]65535", language), skin.advanced[43].width);
    EXPECT_LE(LabelWidth(u"4800", language), skin.color[9].width);
  }
}

TEST_F(ShippedSkin, NoAdvancedSpotHidesUnderAChildControl) {
  for (const SkinLayouts& skin : skins) {
    const PixelRect controls[] = {skin.controls.repeatCountEdit, skin.controls.macroNameEdit, skin.controls.macroList,
                                 skin.controls.stepList};
    for (std::size_t i = 0; i < skin.advanced.size(); ++i)
      for (const PixelRect& control : controls)
        EXPECT_FALSE(!Empty(skin.advanced[i]) && Overlap(skin.advanced[i].Rect(), control)) << "advanced " << i;
    for (int i = 0; i < 20; ++i)
      for (const PixelRect& control : controls) EXPECT_FALSE(Overlap(skin.main[i].Rect(), control)) << "main " << i;
  }
}

TEST_F(ShippedSkin, ButtonHighlightsLieApartFromEveryOtherMainSpot) {
  // A hover copies one highlight from the hovered picture; it must not carry
  // another spot's hovered look along.
  for (const SkinLayouts& skin : skins)
    for (int h = 115; h <= 120; ++h)
      for (int i = 0; i <= 120; ++i)
        if (i != h && !Empty(skin.main[i])) {
          EXPECT_FALSE(Overlap(skin.main[h].Rect(), skin.main[i].Rect())) << h << " and " << i;
        }
}

}  // namespace
}  // namespace zr::test
