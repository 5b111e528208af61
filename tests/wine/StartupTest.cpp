// The built utility started for real: one instance per logon, and a second
// start brings the first window back whether it was minimised or hidden.
// Also the GDI+ service the skin images rely on.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Handles.h"
#include "wine/UtilityProcess.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

class SecondStart : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    // Without a mouse the utility ends at start; the virtual one is always there.
    dist = VirtualDistFolder();
    if (dist.empty()) GTEST_SKIP() << "ZR_DIST_DIR names no shippable folder";
    ASSERT_EQ(::FindWindowW(nullptr, kUtilityTitle), nullptr) << "an instance is already running";
    first = StartUtility(dist);
    ASSERT_TRUE(first.ok);
    window = WaitForWindow(nullptr, kUtilityTitle, 20000);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { EndUtility(first); }
  std::wstring dist;
  Started first;
  HWND window = nullptr;
};

TEST_P(SecondStart, EndsAtOnceAndRestoresTheFirstWindow) {
  // The first instance shows its window once its initialisation is done;
  // hide or minimise it only after that.
  ASSERT_TRUE(WaitUntil(10000, [&] { return ::IsWindowVisible(window) != FALSE; }));
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

  EXPECT_TRUE(WaitUntil(5000, [&] { return ::IsWindowVisible(window) != FALSE && ::IsIconic(window) == FALSE; }));
  EXPECT_EQ(::FindWindowW(nullptr, kUtilityTitle), window);  // still the first instance's window
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
