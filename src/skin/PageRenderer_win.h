// The skin's paints on GDI, for the main window and the pop-ups alike: the
// core composes the frame, this executes the operations into one off-screen
// frame and copies it to the window once.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/ImageDecoder.h"
#include "platform/win32/Handles.h"
#include "skin/PagePaint.h"
#include "skin/SkinImageCache.h"
#include "skin/SkinImageFiles.h"

namespace zr {

// A decoded skin image as a section bitmap, selected into its own memory DC
// for as long as it is kept.
class SkinBitmap {
 public:
  explicit SkinBitmap(const RgbImage& image);
  SkinBitmap(const SkinBitmap&) = delete;
  SkinBitmap& operator=(const SkinBitmap&) = delete;
  ~SkinBitmap();
  // nullptr when GDI refused the bitmap.
  HDC Dc() const { return bitmap_ ? dc_.get() : nullptr; }

 private:
  UniqueBitmap bitmap_;
  UniqueMemoryDc dc_;
  HGDIOBJ previous_ = nullptr;
};

class PageRenderer {
 public:
  // `skinFolder` is the folder the image strings of the skin are appended to.
  PageRenderer(ImageDecoder& decoder, std::u16string skinFolder);
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;
  ~PageRenderer();

  // Composes the active page in `font` and copies the frame (0, 0, width,
  // height) to `windowDc` at (0, 0). Images are decoded once and kept while
  // their files stay unchanged.
  void Paint(HDC windowDc, const PaintInputs& in, HFONT font);

  // Any surface of the skin the same way: its normal image as the base, then
  // what `compose` draws, told whether the normal image was there.
  using Compose = std::function<void(Canvas&, bool normalShown)>;
  void PaintSurface(HDC windowDc, const SurfaceImages& images, std::int32_t width, std::int32_t height, HFONT font,
                    const Compose& compose);

  // A skin image of the folder from the cache; nullptr when it is missing or does not decode.
  std::shared_ptr<const RgbImage> Image(std::u16string_view file);
  const std::u16string& SkinFolder() const { return skinFolder_; }

  // The last frame composed, selected into a memory DC; nullptr before the first paint.
  HDC FrameDc() const { return frame_ ? frameDc_.get() : nullptr; }

 private:
  // nullptr when the image is missing or does not decode: its spots stay as the frame has them.
  HDC ImageDc(std::u16string_view file);
  bool EnsureFrame(std::int32_t width, std::int32_t height);

  SkinImageCache cache_;
  std::u16string skinFolder_;
  struct Kept {
    std::shared_ptr<const RgbImage> decoded;  // what the bitmap was made from
    std::unique_ptr<SkinBitmap> bitmap;
  };
  std::map<std::u16string, Kept, std::less<>> kept_;
  UniqueBitmap frame_;
  UniqueMemoryDc frameDc_;
  HGDIOBJ framePrevious_ = nullptr;
  std::int32_t frameWidth_ = 0, frameHeight_ = 0;
};

// Draws the window's icon centred in the client area, for the minimised window.
void DrawIconCentred(HDC dc, HICON icon, const RECT& client);

}  // namespace zr
