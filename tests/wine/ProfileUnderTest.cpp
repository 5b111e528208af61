#include "shared/ProfileUnderTest.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileFiles.h"

namespace zr::test {
namespace {

// The system's own private-profile functions for reads and writes alike.
class SystemProfileFunctions final : public ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                            std::size_t bufferSize, std::u16string_view path) override {
    if (bufferSize == 0) return {};
    const std::wstring sectionW = Wide(section), keyW = Wide(key), fallbackW = Wide(fallback), pathW = Wide(path);
    std::vector<wchar_t> buffer(bufferSize + 1, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(sectionW.c_str(), keyW.c_str(), fallbackW.c_str(), buffer.data(),
                                                    static_cast<DWORD>(bufferSize), pathW.c_str());
    return FromWide(std::wstring_view(buffer.data(), std::min<std::size_t>(length, bufferSize - 1)));
  }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    const std::wstring sectionW = Wide(section), keyW = Wide(key), valueW = Wide(value), pathW = Wide(path);
    return ::WritePrivateProfileStringW(sectionW.c_str(), keyW.c_str(), valueW.c_str(), pathW.c_str()) != FALSE;
  }
};

}  // namespace

std::unique_ptr<ProfileFiles> MakeProfileFilesUnderTest() { return std::make_unique<Win32ProfileFiles>(); }
std::unique_ptr<ProfileFiles> MakeReferenceProfileFiles() { return std::make_unique<SystemProfileFunctions>(); }

// The utility's files look at the read-only attribute themselves, as Windows
// does for every user.
bool ReadOnlyFilesAreEnforced(std::u16string_view) { return true; }

bool ReferenceEnforcesReadOnlyFiles(std::u16string_view readOnlyFile) {
  const std::wstring path = Wide(readOnlyFile);
  UniqueFileHandle probe(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !probe;
}

}  // namespace zr::test
