#include "shared/ProfileUnderTest.h"

#include "platform/IniEngine.h"

namespace zr::test {

std::unique_ptr<ProfileFiles> MakeProfileFilesUnderTest() { return std::make_unique<PortableProfileFiles>(); }

}  // namespace zr::test

namespace zr::test {

bool ReadOnlyFilesAreEnforced(std::u16string_view) { return true; }  // the engine looks at the mode bits itself

}  // namespace zr::test
