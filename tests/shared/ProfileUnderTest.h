// Each test program says which profile-file implementation the shared
// scenarios run against: the portable engine natively, the system's own
// functions under Wine.
#pragma once

#include <memory>
#include <string_view>

#include "platform/ProfileFiles.h"

namespace zr::test {

std::unique_ptr<ProfileFiles> MakeProfileFilesUnderTest();

// Whether the implementation under test refuses to write a read-only file.
// The system's own functions let an administrator-like user (root under
// Wine) write it anyway; the scenario then has nothing to check.
bool ReadOnlyFilesAreEnforced(std::u16string_view readOnlyFile);

}  // namespace zr::test
