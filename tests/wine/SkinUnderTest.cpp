#include "shared/SkinUnderTest.h"

#include "platform/win32/GdiplusImages.h"
#include "platform/win32/WideText.h"
#include "wine/WinePaths.h"

namespace zr::test {

std::unique_ptr<ImageDecoder> MakeImageDecoderUnderTest() { return std::make_unique<GdiplusImageDecoder>(); }

std::u16string SourceTree() { return FromWide(SourceFolder()); }

}  // namespace zr::test
