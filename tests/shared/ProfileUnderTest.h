// Each test program says which profile-file implementation the shared
// scenarios run against: the portable engine natively, the utility's own
// Win32 files (the system's profile functions for reads) under Wine. Beside
// it, a reference that writes key by key as the profile functions do: the
// system's own functions under Wine, the engine natively.
#pragma once

#include <memory>
#include <string_view>

#include "platform/ProfileFiles.h"

namespace zr::test {

std::unique_ptr<ProfileFiles> MakeProfileFilesUnderTest();
std::unique_ptr<ProfileFiles> MakeReferenceProfileFiles();

// Whether the implementation under test refuses to write a read-only file.
bool ReadOnlyFilesAreEnforced(std::u16string_view readOnlyFile);
// The same for the reference. The system's own functions let an
// administrator-like user (root under Wine) write it anyway; a scenario then
// has nothing to check.
bool ReferenceEnforcesReadOnlyFiles(std::u16string_view readOnlyFile);

}  // namespace zr::test
