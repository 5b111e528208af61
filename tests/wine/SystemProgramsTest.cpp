// The helper programs are taken from the system directory, never from a
// folder a planted copy could sit in.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>

#include "platform/win32/Win32ProgramStarter.h"

namespace zr {
namespace {

TEST(SystemProgramPath, IsTheSystemDirectoryPlusAPlainFileName) {
  std::array<wchar_t, MAX_PATH> system{};
  ASSERT_GT(::GetSystemDirectoryW(system.data(), MAX_PATH), 0u);
  for (std::u16string_view name : {u"calc.exe", u"cmd.exe"}) {
    const std::wstring path = SystemProgramPath(name);
    EXPECT_EQ(path, std::wstring(system.data()) + L"\\" + std::wstring(name.begin(), name.end()));
  }
  // Wine ships no calculator; the command prompt is there.
  EXPECT_NE(::GetFileAttributesW(SystemProgramPath(u"cmd.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  for (std::u16string_view name : {u"", u"..\\calc.exe", u"C:\\calc.exe", u"sub/calc.exe", u"c:calc.exe"}) {
    EXPECT_EQ(SystemProgramPath(name), L"");
  }
}

}  // namespace
}  // namespace zr
