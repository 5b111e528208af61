// The shipped virtual-mouse build started from a folder it may not write (a
// read-only bind mount that the test run prepares and names in
// ZR_READ_ONLY_DIST): the first failed save says so once, naming config.ini,
// later saves stay quiet, and the mouse still gets every download.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"
#include "shared/TestFolder.h"
#include "wine/UtilityProcess.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

std::wstring Text(HWND window) {
  wchar_t text[1024]{};
  ::GetWindowTextW(window, text, 1024);
  return text;
}

struct ProcessWindows {
  DWORD processId;
  std::vector<HWND> found;
};

// The message boxes the utility shows: dialogs of its process captioned with
// the executable's name, the main window being captioned with the product's.
std::vector<HWND> MessageBoxesOf(DWORD processId) {
  ProcessWindows search{processId, {}};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& search = *reinterpret_cast<ProcessWindows*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        wchar_t className[64]{};
        ::GetClassNameW(window, className, 64);
        if (owner == search.processId && ::IsWindowVisible(window) && std::wstring(className) == L"#32770" &&
            Text(window) == kExecutableName)
          search.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring AllText(HWND box) {
  std::wstring text;
  ::EnumChildWindows(
      box,
      [](HWND child, LPARAM context) -> BOOL {
        *reinterpret_cast<std::wstring*>(context) += Text(child) + L"\n";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

// Every top-level window of the process, for a failure's message.
std::string WindowsOf(DWORD processId) {
  std::pair<DWORD, std::string> search{processId, {}};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& search = *reinterpret_cast<std::pair<DWORD, std::string>*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != search.first) return TRUE;
        wchar_t className[64]{};
        ::GetClassNameW(window, className, 64);
        const std::wstring line = std::wstring(className) + L" \"" + Text(window) + L"\"" +
                                  (::IsWindowVisible(window) ? L" visible\n" : L"\n");
        search.second += std::string(line.begin(), line.end());
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

int Downloads(const std::u16string& log) {
  const std::string text = ReadBytes(log);
  int count = 0;
  for (std::size_t at = text.find(" feature 07 12 "); at != std::string::npos; at = text.find(" feature 07 12 ", at + 1))
    ++count;
  return count;
}

// A spot of the main page's English layout, by its index.
POINT SpotCentre(const std::wstring& dist, int index) {
  const std::wstring layout = dist + L"\\skins\\INI_EN\\skin_main_en.ini";
  wchar_t value[128]{};
  ::GetPrivateProfileStringW(L"BUTTONPOS", std::to_wstring(index).c_str(), L"", value, 128, layout.c_str());
  int x = 0, y = 0, w = 0, h = 0;
  const wchar_t* comma = wcschr(value, L',');
  if (comma != nullptr) swscanf(comma + 1, L"%d,%d,%d,%d", &x, &y, &w, &h);
  return {x + w / 2, y + h / 2};
}

void Click(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, where);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  ::PostMessageW(window, WM_LBUTTONUP, 0, where);
}

TEST(ReadOnlyFolder, TheFirstFailedSaveNamesConfigIniOnceAndTheMouseStillGetsItsDownloads) {
  const char* readOnly = std::getenv("ZR_READ_ONLY_DIST");
  if (readOnly == nullptr) GTEST_SKIP() << "ZR_READ_ONLY_DIST names no read-only copy of the virtual-mouse build";
  const std::wstring dist = FromUnixPath(readOnly);
  const std::wstring probe = dist + L"\\probe.tmp";
  HANDLE created = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created != INVALID_HANDLE_VALUE) {
    ::CloseHandle(created);
    ::DeleteFileW(probe.c_str());
    FAIL() << "the folder in ZR_READ_ONLY_DIST can be written";
  }
  const std::string before = ReadBytes(FromWide(dist + L"\\config.ini"));

  TestFolder logFolder;
  const std::u16string log = logFolder.Path(u"reports.log");
  ::SetEnvironmentVariableW(L"ZR305_VIRTUAL_MOUSE_LOG", Wide(log).c_str());
  Started utility = StartUtility(dist);
  ::SetEnvironmentVariableW(L"ZR305_VIRTUAL_MOUSE_LOG", nullptr);
  ASSERT_TRUE(utility.ok);

  // The start-up download writes the snapshot the shipped file lacks: the first failed save.
  std::vector<HWND> boxes;
  ASSERT_TRUE(WaitUntil(30000, [&] { return !(boxes = MessageBoxesOf(utility.processId)).empty(); }))
      << "no message about the file; the utility's windows:\n" << WindowsOf(utility.processId) << "downloads "
      << Downloads(log);
  EXPECT_EQ(boxes.size(), 1u);
  const std::wstring message = AllText(boxes.front());
  EXPECT_NE(message.find(dist + L"\\config.ini"), std::wstring::npos) << std::string(message.begin(), message.end());
  EXPECT_TRUE(WaitUntil(10000, [&] { return Downloads(log) == 1; })) << "the start-up download";
  ::PostMessageW(boxes.front(), WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil(10000, [&] { return MessageBoxesOf(utility.processId).empty(); }));

  HWND main = ::FindWindowW(nullptr, kUtilityTitle);
  ASSERT_NE(main, nullptr);
  Click(main, SpotCentre(dist, 66 + 5));  // level 1 at another step
  Click(main, SpotCentre(dist, 0));       // Save
  Click(main, SpotCentre(dist, 3));       // Apply
  EXPECT_TRUE(WaitUntil(10000, [&] { return Downloads(log) == 2; })) << "the download of Apply";
  ::Sleep(1500);  // time for a message that should not come
  EXPECT_TRUE(MessageBoxesOf(utility.processId).empty()) << "a later save was announced again";
  EXPECT_EQ(ReadBytes(FromWide(dist + L"\\config.ini")), before);
  EndUtility(utility);
}

}  // namespace
}  // namespace zr::test
