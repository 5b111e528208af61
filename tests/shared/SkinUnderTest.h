// Each test program says which image decoder the shared skin tests use and
// where the shipped skin lies: libjpeg and the source tree natively, GDI+
// and the same tree seen from inside Wine.
#pragma once

#include <memory>
#include <string>

#include "platform/ImageDecoder.h"

namespace zr::test {

std::unique_ptr<ImageDecoder> MakeImageDecoderUnderTest();

// The repository's root folder, as the system forms paths (no trailing separator).
std::u16string SourceTree();

// The installation data: the application directory of a fresh installation.
inline std::u16string ShippedDataFolder() { return SourceTree() + u"\\data"; }

}  // namespace zr::test
