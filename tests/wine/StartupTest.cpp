// The built utility started for real: one instance per logon, and a second
// start brings the first window back whether it was minimised or hidden.
// Also the GDI+ service the skin images rely on.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Handles.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

constexpr wchar_t kTitle[] = L"ZR305 Gaming Mouse Driver";

HWND WaitForWindow(DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (HWND window = ::FindWindowW(nullptr, kTitle)) return window;
    ::Sleep(50);
  }
  return nullptr;
}

bool WaitUntil(DWORD timeoutMs, bool (*condition)(HWND), HWND window) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (condition(window)) return true;
    ::Sleep(50);
  }
  return condition(window);
}

struct Started {
  UniqueKernelHandle process;
  bool ok = false;
};

Started StartUtility(const std::wstring& dist) {
  std::wstring exe = dist + L"\\ZR280S Gaming Mouse Driver.exe";
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  Started started;
  started.ok = ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dist.c_str(),
                                &startup, &info) != FALSE;
  if (started.ok) {
    ::CloseHandle(info.hThread);
    started.process.reset(info.hProcess);
  }
  return started;
}

class SecondStart : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    // Without a mouse the utility ends at start; the virtual one is always there.
    dist = VirtualDistFolder();
    if (dist.empty()) GTEST_SKIP() << "ZR_DIST_DIR names no shippable folder";
    ASSERT_EQ(::FindWindowW(nullptr, kTitle), nullptr) << "an instance is already running";
    first = StartUtility(dist);
    ASSERT_TRUE(first.ok);
    window = WaitForWindow(20000);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (first.process) {
      ::TerminateProcess(first.process.get(), 0);
      ::WaitForSingleObject(first.process.get(), 10000);
    }
  }
  std::wstring dist;
  Started first;
  HWND window = nullptr;
};

TEST_P(SecondStart, EndsAtOnceAndRestoresTheFirstWindow) {
  // The first instance shows its window once its initialisation is done;
  // hide or minimise it only after that.
  ASSERT_TRUE(WaitUntil(10000, [](HWND w) { return ::IsWindowVisible(w) != FALSE; }, window));
  bool away = false;
  for (int attempt = 0; attempt < 50 && !away; ++attempt) {
    ::ShowWindow(window, GetParam());
    ::Sleep(100);
    away = GetParam() == SW_HIDE ? !::IsWindowVisible(window) : ::IsIconic(window) != FALSE;
  }
  ASSERT_TRUE(away);

  Started second = StartUtility(dist);
  ASSERT_TRUE(second.ok);
  ASSERT_EQ(::WaitForSingleObject(second.process.get(), 20000), WAIT_OBJECT_0) << "the second instance kept running";

  EXPECT_TRUE(WaitUntil(5000, [](HWND w) { return ::IsWindowVisible(w) != FALSE && ::IsIconic(w) == FALSE; }, window));
  EXPECT_EQ(::FindWindowW(nullptr, kTitle), window);  // still the first instance's window
  EXPECT_EQ(::WaitForSingleObject(first.process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

INSTANTIATE_TEST_SUITE_P(FirstWindow, SecondStart, ::testing::Values(SW_MINIMIZE, SW_HIDE),
                         [](const auto& info) { return info.param == SW_HIDE ? "Hidden" : "Minimised"; });

TEST(GdiplusImages, DecodeWhileTheServiceRunsAndStopItAfterTheLastImage) {
  const std::wstring jpeg = SourceFolder() + L"\\tests\\data\\tiny.jpg";
  const std::u16string path(jpeg.begin(), jpeg.end());
  ASSERT_FALSE(GdiplusService().Running());
  {
    auto image = GdiplusImage::Load(path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 3);
    EXPECT_EQ(image->Height(), 2);
    EXPECT_TRUE(GdiplusService().Running());
    auto again = GdiplusImage::Load(path);
    ASSERT_NE(again, nullptr);
  }
  EXPECT_FALSE(GdiplusService().Running());

  EXPECT_EQ(GdiplusImage::Load(u"Z:\\no\\such\\image.jpg"), nullptr);
  EXPECT_FALSE(GdiplusService().Running());
  auto image = GdiplusImage::Load(path);  // starts again after a full stop
  EXPECT_NE(image, nullptr);
}

}  // namespace
}  // namespace zr::test
