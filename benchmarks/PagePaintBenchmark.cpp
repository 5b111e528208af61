// One hover repaint of the main page from the shipped skin: the frame reset
// to the normal image, the paint's operations carried out on pixels, and the
// frame copied out once. Kept images against decoding the page's three
// images in every paint, as the window first did. Glyphs are not drawn here
// (there is no font natively); the texts are measured and placed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "platform/FileQueries.h"
#include "platform/IniEngine.h"
#include "platform/Text.h"
#include "platform/native/LibJpegDecoder.h"
#include "shared/RecordingNotices.h"
#include "app/AppPaths.h"
#include "skin/CopySpot.h"
#include "skin/PagePaint.h"
#include "skin/SkinImageFiles.h"
#include "skin/SkinReader.h"

namespace zr {
namespace {

class PixelCanvas final : public Canvas {
 public:
  PixelCanvas(RgbImage& frame, const RgbImage& over, const RgbImage& down) : frame_(frame), over_(over), down_(down) {}
  void CopySpot(SpotSource source, const PixelRect& area) override {
    if (source == SpotSource::Hovered) zr::CopySpot(frame_, over_, area);
    if (source == SpotSource::Pressed) zr::CopySpot(frame_, down_, area);
  }
  void Fill(const PixelRect& area, Rgb colour) override {
    for (std::int32_t y = area.top; y < area.bottom; ++y)
      for (std::int32_t x = area.left; x < area.right; ++x) frame_.Set(x, y, colour);
  }
  TextExtent MeasureText(std::u16string_view text) override { return {static_cast<std::int32_t>(text.size()) * 7, 14}; }
  void DrawText(std::int32_t left, std::int32_t, std::u16string_view, Rgb) override { benchmark::DoNotOptimize(left); }

 private:
  RgbImage& frame_;
  const RgbImage& over_;
  const RgbImage& down_;
};

struct Scene {
  AppPaths paths{Utf16FromUtf8(ZR_SOURCE_DIR) + u"\\data"};
  SkinLayouts skin;
  UiState ui;
  ColourPreviewState preview;
  ConfigRecord config;
  MacroTables macros;
  MacroEditorState editor;

  Scene() {
    PortableProfileFiles profiles;
    PortableFileQueries files;
    test::RecordingNotices notices;
    SkinValueReader reader({profiles, files, notices, notices});
    if (!LoadPageLayouts(reader, paths, 1, skin)) std::abort();
    SetFactoryDefaults(config);
  }
  RgbImage Decode(std::u16string_view file) const {
    auto image = LibJpegDecoder().Decode(paths.SkinImage(file));
    if (!image) std::abort();
    return std::move(*image);
  }
  // The cursor moves between two button fields: a full repaint each time.
  void Repaint(RgbImage& frame, const RgbImage& normal, const RgbImage& over, const RgbImage& down, RgbImage& window) {
    ui.mainHover = ui.mainHover == 26 ? 27 : 26;
    frame = normal;
    PixelCanvas canvas(frame, over, down);
    ComposePage(canvas, PaintInputs{ui, preview, config, macros, editor, skin, 1, 1, frame.Width(), frame.Height()});
    std::memcpy(window.Row(0), frame.Row(0), frame.RowBytes() * std::size_t(frame.Height()));
  }
};

void HoverRepaintFromKeptImages(benchmark::State& state) {
  Scene scene;
  const RgbImage normal = scene.Decode(kMainPageImages.normal), over = scene.Decode(kMainPageImages.over),
                 down = scene.Decode(kMainPageImages.down);
  RgbImage frame = normal, window(normal.Width(), normal.Height());
  for (auto _ : state) scene.Repaint(frame, normal, over, down, window);
}
BENCHMARK(HoverRepaintFromKeptImages)->Unit(benchmark::kMillisecond);

void HoverRepaintDecodingEachPaint(benchmark::State& state) {
  Scene scene;
  RgbImage frame, window(1000, 600);
  for (auto _ : state) {
    const RgbImage normal = scene.Decode(kMainPageImages.normal), over = scene.Decode(kMainPageImages.over),
                   down = scene.Decode(kMainPageImages.down);
    if (window.Width() != normal.Width() || window.Height() != normal.Height()) window = RgbImage(normal.Width(), normal.Height());
    scene.Repaint(frame, normal, over, down, window);
  }
}
BENCHMARK(HoverRepaintDecodingEachPaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zr
