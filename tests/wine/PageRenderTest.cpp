// The pages painted by the real renderer on GDI from the shipped skin: the
// frame shows the skin image wherever the paint draws nothing, the spots it
// copies show the state images, and the DPI bars have the level colours.
// With ZR_SCREENS_DIR set it also leaves each frame there as a bitmap file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/WideText.h"
#include "shared/PlatformUnderTest.h"
#include "shared/ProfileUnderTest.h"
#include "shared/RecordingNotices.h"
#include "app/AppPaths.h"
#include "skin/ChildControlColours_win.h"
#include "skin/PageRenderer_win.h"
#include "skin/SkinFonts_win.h"
#include "skin/SkinImageFiles.h"
#include "skin/SkinReader.h"

namespace zr::test {
namespace {

// A window-sized 32-bit section standing in for the window's paint DC.
class Target {
 public:
  Target(int width, int height) : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  ~Target() { ::SelectObject(dc_.get(), previous_); }
  HDC Dc() const { return dc_.get(); }
  Rgb At(int x, int y) const {
    ::GdiFlush();
    const std::uint8_t* p = bits_ + (std::size_t(y) * width_ + x) * 4;
    return {p[2], p[1], p[0]};
  }
  // As a 24-bit bottom-up bitmap file, which every image tool reads.
  bool Save(const std::string& path) const {
    const int stride = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width_, height_, 1, 24, BI_RGB, DWORD(stride * height_), 0, 0, 0, 0};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    std::vector<std::uint8_t> row(std::size_t(stride), 0);
    for (int y = height_ - 1; y >= 0; --y) {
      for (int x = 0; x < width_; ++x) {
        const Rgb c = At(x, y);
        row[std::size_t(x) * 3] = c.blue;
        row[std::size_t(x) * 3 + 1] = c.green;
        row[std::size_t(x) * 3 + 2] = c.red;
      }
      std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
  }

 private:
  int width_, height_;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  std::uint8_t* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

bool Inside(const SkinEntry& e, int x, int y) { return e.Contains(x, y); }

class PageRender : public ::testing::Test {
 protected:
  void SetUp() override {
    paths.applicationDirectory = InstallationDataPath(u"");
    for (std::uint8_t language : {0, 1}) {
      SkinValueReader reader({*files, *fileQueries, notices, notices});
      ASSERT_TRUE(LoadPageLayouts(reader, paths, language, skins[language]));
    }
    for (std::u16string_view name : {kMainPageImages.normal, kMainPageImages.over, kMainPageImages.down,
                                     kAdvancedPageImages.normal, kColorPageImages.normal})
      images.emplace_back(decoder.Decode(paths.SkinImage(name)).value_or(RgbImage()));
    ASSERT_FALSE(images[0].Empty());
    width = images[0].Width();
    height = images[0].Height();
    SetFactoryDefaults(config);
    config.sentSensorCode = {4, 6, 7, 11};  // as the download sends the factory steps
    ui.mainHover = 26;  // a button field: its name in red and its part of the mouse lit
  }

  void Paint(Page page, std::uint8_t language, Target& target) {
    ui.currentPage = page;
    renderer.Paint(target.Dc(),
                   PaintInputs{ui, preview, config, macros, editor, skins[language], language, 1, width, height},
                   fonts.Current(language));
  }

  const RgbImage& NormalOf(Page page) const {
    return page == Page::Main ? images[0] : page == Page::Advanced ? images[3] : images[4];
  }

  // Whether the paint may draw at (x, y): inside a spot of the header or of the page.
  bool Drawn(Page page, std::uint8_t language, int x, int y) const {
    const SkinLayouts& skin = skins[language];
    for (std::size_t i = 0; i < skin.main.size(); ++i)
      if ((i < 20 || page == Page::Main) && Inside(skin.main[i], x, y)) return true;
    if (page == Page::Advanced)
      for (const SkinEntry& e : skin.advanced)
        if (Inside(e, x, y)) return true;
    if (page == Page::Colour)
      for (const SkinEntry& e : skin.color)
        if (Inside(e, x, y)) return true;
    return false;
  }

  AppPaths paths;
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  std::unique_ptr<FileQueries> fileQueries = MakeFileQueriesUnderTest();
  RecordingNotices notices;
  SkinLayouts skins[2];
  GdiplusImageDecoder decoder;
  std::vector<RgbImage> images;  // main normal, over, down; advanced normal; colour normal
  int width = 0, height = 0;

  UiState ui;
  ColourPreviewState preview;
  ConfigRecord config;
  MacroTables macros;
  MacroEditorState editor;
  SkinFonts fonts = SkinFonts::Created();
  PageRenderer renderer{decoder, InstallationDataPath(u"\\skins")};
};

TEST_F(PageRender, EveryPageInBothLanguagesShowsTheSkinWhereNothingIsDrawnOverIt) {
  const char* screens = std::getenv("ZR_SCREENS_DIR");
  const char* pageNames[] = {"main", "advanced", "colour"};
  for (Page page : {Page::Main, Page::Advanced, Page::Colour}) {
    for (std::uint8_t language : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << pageNames[int(page)] << (language ? " en" : " cn"));
      Target target(width, height);
      Paint(page, language, target);
      const RgbImage& normal = NormalOf(page);
      int compared = 0, differing = 0;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          if (Drawn(page, language, x, y)) continue;
          ++compared;
          if (target.At(x, y) != normal.At(x, y)) ++differing;
        }
      EXPECT_GT(compared, width * height / 4);
      EXPECT_EQ(differing, 0);
      // Some text is drawn somewhere on every page: white, or nearly so where
      // the font's edges are smoothed.
      const auto bright = [](Rgb c) { return c.red >= 176 && c.green >= 176 && c.blue >= 176; };
      int textPixels = 0;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) textPixels += bright(target.At(x, y)) && !bright(normal.At(x, y));
      EXPECT_GT(textPixels, 100);
      if (screens != nullptr && *screens != '\0')
        EXPECT_TRUE(target.Save(std::string(screens) + "/" + pageNames[int(page)] + (language ? "_en" : "_cn") + ".bmp"));
    }
  }
}

TEST_F(PageRender, TheMainPageCopiesItsStateSpotsAndFillsTheDpiBarsInTheLevelColours) {
  config.DPI_LEVEL = 1;
  config.DPI_SET = {11, 0, 5, 7};
  Target target(width, height);
  Paint(Page::Main, 1, target);
  const MainLayout& main = skins[1].main;
  const auto same = [&](const SkinEntry& e, const RgbImage& image) {
    int differing = 0;
    for (int y = e.y; y < e.y + e.height; ++y)
      for (int x = e.x; x < e.x + e.width; ++x) differing += target.At(x, y) != image.At(x, y);
    return differing;
  };
  EXPECT_EQ(same(main[55], images[2]), 0);   // the current level, pressed
  EXPECT_EQ(same(main[116], images[1]), 0);  // the hovered button's part of the mouse

  const Rgb levelColours[4] = {{0, 0, 255}, {255, 0, 255}, {255, 0, 0}, {128, 0, 255}};
  for (int level = 0; level < 4; ++level) {
    SCOPED_TRACE(level);
    for (int s = 0; s < 12; ++s) {
      const SkinEntry& segment = main[66 + 12 * level + s];
      const int cx = segment.x + segment.width / 2, cy = segment.y + segment.height / 2;
      const bool filled = s <= config.DPI_SET[level];
      EXPECT_EQ(target.At(cx, cy) == levelColours[level], filled) << "segment " << s;
      if (filled) {
        // The fill keeps off the left, top and right edges but reaches the bottom.
        EXPECT_EQ(target.At(segment.x, cy), images[0].At(segment.x, cy));
        EXPECT_EQ(target.At(cx, segment.y), images[0].At(cx, segment.y));
        EXPECT_EQ(target.At(segment.x + segment.width - 1, cy), images[0].At(segment.x + segment.width - 1, cy));
        EXPECT_EQ(target.At(cx, segment.y + segment.height - 1), levelColours[level]);
      }
    }
  }
}

TEST_F(PageRender, ARepaintAfterAHoverChangeShowsOnlyTheNewHover) {
  // The frame is kept between paints: nothing of the previous hover may remain.
  Target first(width, height), second(width, height);
  ui.mainHover = 27;
  Paint(Page::Main, 1, first);
  ui.mainHover = kNoSpot;
  Paint(Page::Main, 1, second);
  const SkinEntry& lit = skins[1].main[117];
  int differing = 0;
  for (int y = lit.y; y < lit.y + lit.height; ++y)
    for (int x = lit.x; x < lit.x + lit.width; ++x) differing += second.At(x, y) != images[0].At(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(PageRender, AMissingStateImageLeavesItsSpotsNormalAndAChangedFileShowsAtTheNextPaint) {
  wchar_t temp[MAX_PATH]{};
  ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring folder = std::wstring(temp) + L"zr_page_render_" + std::to_wstring(::GetCurrentProcessId());
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
  const auto shipped = [&](std::u16string_view file) { return Wide(paths.SkinImage(file)); };
  const std::wstring over = folder + Wide(kMainPageImages.over);
  ASSERT_TRUE(::CopyFileW(shipped(kMainPageImages.normal).c_str(), (folder + Wide(kMainPageImages.normal)).c_str(), FALSE));

  PageRenderer local(decoder, FromWide(folder));
  const SkinEntry& lit = skins[1].main[116];  // lit from the hovered image while field 26 is hovered
  const auto differing = [&](const Target& target, const RgbImage& image) {
    int count = 0;
    for (int y = lit.y; y < lit.y + lit.height; ++y)
      for (int x = lit.x; x < lit.x + lit.width; ++x) count += target.At(x, y) != image.At(x, y);
    return count;
  };
  const auto paint = [&](Target& target) {
    ui.currentPage = Page::Main;
    local.Paint(target.Dc(), PaintInputs{ui, preview, config, macros, editor, skins[1], 1, 1, width, height},
                fonts.Current(1));
  };

  Target first(width, height);
  paint(first);
  EXPECT_EQ(differing(first, images[0]), 0);  // no hovered image: the spot stays normal

  ASSERT_TRUE(::CopyFileW(shipped(kMainPageImages.over).c_str(), over.c_str(), FALSE));
  Target second(width, height);
  paint(second);
  EXPECT_EQ(differing(second, images[1]), 0);

  // Another picture under the same name (a different size on disk): decoded again.
  ASSERT_TRUE(::CopyFileW(shipped(kMainPageImages.down).c_str(), over.c_str(), FALSE));
  Target third(width, height);
  paint(third);
  EXPECT_EQ(differing(third, images[2]), 0);

  ::DeleteFileW(over.c_str());
  ::DeleteFileW((folder + Wide(kMainPageImages.normal)).c_str());
  ::RemoveDirectoryW(folder.c_str());
  // Without any image the frame is the plain background and nothing fails.
  Target fourth(width, height);
  paint(fourth);
  EXPECT_EQ(fourth.At(lit.x, lit.y), (Rgb{63, 58, 54}));
}

TEST(ChildControlColours, SetTheSkinsBackgroundWhiteTextAndTheFontAndKeepOneBrush) {
  SkinFonts fonts = SkinFonts::Created();
  ChildControlColours colours;
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  const HBRUSH brush = colours.Apply(dc.get(), fonts.Current(1));
  EXPECT_EQ(::GetBkColor(dc.get()), RGB(63, 58, 54));
  EXPECT_EQ(::GetTextColor(dc.get()), RGB(255, 255, 255));
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), fonts.Current(1));
  LOGBRUSH logBrush{};
  ASSERT_EQ(::GetObjectW(brush, sizeof(logBrush), &logBrush), int(sizeof(logBrush)));
  EXPECT_EQ(logBrush.lbColor, RGB(63, 58, 54));
  EXPECT_EQ(colours.Apply(dc.get(), fonts.Current(0)), brush);
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), fonts.Current(0));
  ::SelectObject(dc.get(), ::GetStockObject(SYSTEM_FONT));
}

}  // namespace
}  // namespace zr::test
