// Decimal conversion, data paths, single-instance start-up and the shared
// library service.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppPaths.h"
#include "app/AppStartup.h"
#include "platform/SharedService.h"
#include "platform/Text.h"

namespace zr {
namespace {

TEST(DecimalValue, ReadsNumbersAsTheStoredFilesHoldThem) {
  struct Row {
    std::u16string_view text;
    std::int32_t value;
  };
  const Row rows[] = {
      {u"", 0},           {u"abc", 0},         {u"12", 12},          {u"0012", 12},
      {u"-5", -5},        {u"+7", 7},          {u"  \t42", 42},      {u"12ms", 12},
      {u"3 4", 3},        {u"--1", 0},         {u"+-1", 0},          {u"- 1", 0},
      {u"2147483647", 2147483647},             {u"-2147483648", -2147483648},
      {u"2147483648", 2147483647},             {u"99999999999999999999", 2147483647},
      {u"-99999999999999999999", -2147483648}, {u"\n\r\v\f 9", 9},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DecimalValue(row.text), row.value) << Utf8FromUtf16(row.text);
  }
}

TEST(DecimalValue, RoundTripsThroughDecimalText) {
  for (std::int64_t v : {0LL, 1LL, -1LL, 300LL, -2147483648LL, 2147483647LL}) {
    EXPECT_EQ(DecimalValue(DecimalText(v)), v);
  }
}

TEST(ExecutableBaseName, IsTheFileNameWithoutDirectoryAndLastExtension) {
  EXPECT_EQ(ExecutableBaseName(u"C:\\Program Files\\ZR305\\ZR305.exe"), u"ZR305");
  EXPECT_EQ(ExecutableBaseName(u"C:\\a.b\\tool.v2.exe"), u"tool.v2");  // a dot in a folder is no extension
  EXPECT_EQ(ExecutableBaseName(u"Z:/build/zr_wine_tests.exe"), u"zr_wine_tests");
  EXPECT_EQ(ExecutableBaseName(u"noext"), u"noext");
  EXPECT_EQ(ExecutableBaseName(u"C:\\.hidden"), u".hidden");
  EXPECT_EQ(ExecutableBaseName(u""), u"");
}

TEST(AppPaths, DirectoryIsTheModulePathUpToItsLastBackslash) {
  EXPECT_EQ(ApplicationDirectoryFromModulePath(u"C:\\Program Files\\ZR\\zr.exe"), u"C:\\Program Files\\ZR");
  EXPECT_EQ(ApplicationDirectoryFromModulePath(u"D:\\m.exe"), u"D:");
  EXPECT_EQ(ApplicationDirectoryFromModulePath(u"m.exe"), u"");

  AppPaths paths{ApplicationDirectoryFromModulePath(u"D:\\m.exe")};
  EXPECT_EQ(paths.ConfigFile(), u"D:\\config.ini");
  EXPECT_EQ(paths.MacroFile(1), u"D:\\Macro_EN.dat");
  EXPECT_EQ(paths.MacroFile(0), u"D:\\Macro_CN.dat");
  EXPECT_EQ(paths.MacroFile(2), u"D:\\Macro_EN.dat");
  EXPECT_EQ(paths.MaskImage(), u"D:\\skins\\main_mask.jpg");
}

TEST(AppPaths, ModulePathLongerThanTheBufferIsCutFirst) {
  // The buffer holds 259 characters; a backslash beyond them is not seen.
  std::u16string path = u"C:\\" + std::u16string(250, u'a') + u"\\bbbbbbbbbbbbbbbb\\x.exe";
  ASSERT_GT(path.size(), kMaxPath);
  EXPECT_EQ(ApplicationDirectoryFromModulePath(path), u"C:\\" + std::u16string(250, u'a'));

  std::u16string exact = u"C:\\" + std::u16string(255, u'a') + u"\\x";  // 260 characters, backslash at 258
  EXPECT_EQ(ApplicationDirectoryFromModulePath(exact), u"C:\\" + std::u16string(255, u'a'));
}

class RecordingProcess final : public ProcessServices {
 public:
  explicit RecordingProcess(bool anotherInstance) : another_(anotherInstance) {}
  bool AcquireInstanceMutex(std::u16string_view name) override {
    calls.push_back("mutex " + Utf8FromUtf16(name));
    return another_;
  }
  void ReleaseInstanceMutex() override { calls.push_back("release"); }
  void RestoreWindowByTitle(std::u16string_view title) override { calls.push_back("restore " + Utf8FromUtf16(title)); }
  void InitCommonControls() override { calls.push_back("controls"); }
  void RunMainDialog(MainWindowStart start) override {
    calls.push_back(start == MainWindowStart::InTray ? "dialog in tray" : "dialog");
  }
  EndRequest EndWindowByCommand(std::u16string_view title, std::uint32_t command) override {
    calls.push_back("end " + Utf8FromUtf16(title) + " " + std::to_string(command));
    return EndRequest::Ended;
  }
  std::vector<std::string> calls;

 private:
  bool another_;
};

TEST(InitInstance, FirstInstanceRunsTheDialogSecondRestoresTheFirst) {
  RecordingProcess first(false);
  EXPECT_FALSE(InitInstance(first));
  EXPECT_EQ(first.calls, (std::vector<std::string>{"mutex CKVX_GMouseApp", "controls", "dialog"}));

  RecordingProcess second(true);
  EXPECT_FALSE(InitInstance(second));
  EXPECT_EQ(second.calls,
            (std::vector<std::string>{"mutex CKVX_GMouseApp", "restore ZR305 Gaming Mouse Driver", "release"}));
}

TEST(SharedService, StartsOnFirstUserStopsAfterLastAndRestarts) {
  int starts = 0, stops = 0;
  bool startSucceeds = false;
  SharedService service([&] { ++starts; return startSucceeds; }, [&] { ++stops; });

  EXPECT_FALSE(service.Acquire());  // a failed start holds nothing and is retried next time
  EXPECT_FALSE(service.Running());
  service.Release();                // a release without a hold is harmless
  EXPECT_EQ(stops, 0);

  startSucceeds = true;
  EXPECT_TRUE(service.Acquire());
  EXPECT_TRUE(service.Acquire());
  EXPECT_EQ(starts, 2);
  service.Release();
  EXPECT_EQ(stops, 0);
  service.Release();
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(service.Running());

  EXPECT_TRUE(service.Acquire());
  EXPECT_EQ(starts, 3);
  service.StopNow();
  EXPECT_EQ(stops, 2);
  service.Release();  // the hold ended with StopNow
  EXPECT_EQ(stops, 2);
}

}  // namespace
}  // namespace zr
