// Like ProfileUnderTest.h, for the other platform pieces the shared suites
// use: each test program supplies the implementation it tests and says
// where the installation data it checks lies.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/FileQueries.h"
#include "platform/ImageDecoder.h"

namespace zr::test {

std::unique_ptr<FileQueries> MakeFileQueriesUnderTest();

// A file of the installation data, `relative` starting with a backslash as
// the program forms its paths ("\skins\INI_EN\defMacro.dat").
std::u16string InstallationDataPath(std::u16string_view relative);

// The skin images' decoder: libjpeg natively, GDI+ under Wine.
std::unique_ptr<ImageDecoder> MakeImageDecoderUnderTest();

// A file of the repository itself (test data), `relative` as above.
std::u16string SourceTreePath(std::u16string_view relative);

}  // namespace zr::test
