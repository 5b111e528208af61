#include "skin/PageRenderer_win.h"

#include <array>
#include <functional>

#include "platform/win32/GdiImages.h"
#include "platform/win32/PixelRects.h"
#include "skin/CopySpot_win.h"
#include "skin/SkinImageFiles.h"

namespace zr {
namespace {

const SurfaceImages& ImagesOf(Page page) {
  switch (page) {
    case Page::Advanced: return kAdvancedPageImages;
    case Page::Colour: return kColorPageImages;
    default: return kMainPageImages;
  }
}

const wchar_t* WideUnits(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

class GdiCanvas final : public Canvas {
 public:
  template <typename SourceOf>
  GdiCanvas(HDC frame, SourceOf sourceOf) : frame_(frame), sourceOf_(sourceOf) {}

  void CopySpot(SpotSource source, const PixelRect& area) override {
    if (HDC from = Source(source)) zr::CopySpot(frame_, from, area);
  }
  void Fill(const PixelRect& area, Rgb colour) override {
    ::SetDCBrushColor(frame_, RGB(colour.red, colour.green, colour.blue));
    const RECT rect = ToRect(area);
    ::FillRect(frame_, &rect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  }
  TextExtent MeasureText(std::u16string_view text) override {
    SIZE size{};
    if (!::GetTextExtentPoint32W(frame_, WideUnits(text), static_cast<int>(text.size()), &size)) return {};
    return {size.cx, size.cy};
  }
  void DrawText(std::int32_t left, std::int32_t top, std::u16string_view text, Rgb colour) override {
    if (text.empty()) return;
    ::SetTextColor(frame_, RGB(colour.red, colour.green, colour.blue));
    ::TextOutW(frame_, left, top, WideUnits(text), static_cast<int>(text.size()));
  }

 private:
  // Images are looked up on first use, so the LED images are read only when the preview shows them.
  HDC Source(SpotSource source) {
    auto& slot = sources_[static_cast<std::size_t>(source)];
    if (!slot.looked) slot = {true, sourceOf_(source)};
    return slot.dc;
  }

  HDC frame_;
  std::function<HDC(SpotSource)> sourceOf_;
  struct Looked {
    bool looked = false;
    HDC dc = nullptr;
  };
  std::array<Looked, 4> sources_{};
};

}  // namespace

SkinBitmap::SkinBitmap(const RgbImage& image) : bitmap_(MakeDibSection(image)), dc_(::CreateCompatibleDC(nullptr)) {
  if (bitmap_ && dc_) previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  else bitmap_.reset();
}

SkinBitmap::~SkinBitmap() {
  if (previous_ != nullptr) ::SelectObject(dc_.get(), previous_);
}

PageRenderer::PageRenderer(ImageDecoder& decoder, std::u16string skinFolder)
    : cache_(decoder), skinFolder_(std::move(skinFolder)) {}

PageRenderer::~PageRenderer() {
  if (framePrevious_ != nullptr) ::SelectObject(frameDc_.get(), framePrevious_);
}

std::shared_ptr<const RgbImage> PageRenderer::Image(std::u16string_view file) {
  return cache_.Get(skinFolder_ + std::u16string(file));
}

HDC PageRenderer::ImageDc(std::u16string_view file) {
  const std::u16string path = skinFolder_ + std::u16string(file);
  std::shared_ptr<const RgbImage> decoded = cache_.Get(path);
  auto found = kept_.find(path);
  if (!decoded) {
    if (found != kept_.end()) kept_.erase(found);
    return nullptr;
  }
  if (found == kept_.end()) found = kept_.emplace(path, Kept{}).first;
  Kept& kept = found->second;
  if (kept.decoded != decoded) {  // new or changed on disk
    kept.bitmap = std::make_unique<SkinBitmap>(*decoded);
    kept.decoded = std::move(decoded);
  }
  return kept.bitmap->Dc();
}

bool PageRenderer::EnsureFrame(std::int32_t width, std::int32_t height) {
  if (frame_ && width == frameWidth_ && height == frameHeight_) return true;
  if (framePrevious_ != nullptr) ::SelectObject(frameDc_.get(), framePrevious_);
  framePrevious_ = nullptr;
  frame_.reset();
  if (width <= 0 || height <= 0) return false;
  if (!frameDc_) frameDc_.reset(::CreateCompatibleDC(nullptr));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  frame_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!frame_ || !frameDc_) {
    frame_.reset();
    return false;
  }
  framePrevious_ = ::SelectObject(frameDc_.get(), frame_.get());
  frameWidth_ = width;
  frameHeight_ = height;
  return true;
}

void PageRenderer::Paint(HDC windowDc, const PaintInputs& in, HFONT font) {
  PaintSurface(windowDc, ImagesOf(in.ui.currentPage.load()), in.width, in.height, font,
               [&](Canvas& canvas, bool normalShown) {
                 if (!normalShown) canvas.Fill({0, 0, in.width, in.height}, kMissingImageColour);
                 ComposePage(canvas, in);
               });
}

void PageRenderer::PaintSurface(HDC windowDc, const SurfaceImages& images, std::int32_t width, std::int32_t height,
                                HFONT font, const Compose& compose) {
  if (!EnsureFrame(width, height)) return;
  HDC frame = frameDc_.get();
  HDC normal = ImageDc(images.normal);
  if (normal != nullptr) ::BitBlt(frame, 0, 0, width, height, normal, 0, 0, SRCCOPY);

  const HGDIOBJ previousFont = font != nullptr ? ::SelectObject(frame, font) : nullptr;
  const int previousMode = ::SetBkMode(frame, TRANSPARENT);
  GdiCanvas canvas(frame, [&](SpotSource source) -> HDC {
    switch (source) {
      case SpotSource::Hovered: return ImageDc(images.over);
      case SpotSource::Pressed: return images.down.empty() ? nullptr : ImageDc(images.down);
      case SpotSource::LedDark: return ImageDc(kLedDarkImage);
      case SpotSource::LedBlue: return ImageDc(kLedBlueImage);
    }
    return nullptr;
  });
  compose(canvas, normal != nullptr);
  ::SetBkMode(frame, previousMode);
  if (previousFont != nullptr) ::SelectObject(frame, previousFont);
  ::GdiFlush();

  ::BitBlt(windowDc, 0, 0, width, height, frame, 0, 0, SRCCOPY);
}

void DrawIconCentred(HDC dc, HICON icon, const RECT& client) {
  const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc, x, y, icon);
}

}  // namespace zr
