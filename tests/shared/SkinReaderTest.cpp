// Skin layout files read through the profile functions under test: the value
// syntax, the four loaders, missing files and the language switch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppPaths.h"
#include "config/ConfigStore.h"
#include "platform/PortablePath.h"
#include "platform/Text.h"
#include "shared/PlatformUnderTest.h"
#include "shared/ProfileUnderTest.h"
#include "shared/RecordingNotices.h"
#include "shared/TestFolder.h"
#include "skin/LanguageSwitch.h"
#include "skin/SkinReader.h"

namespace zr::test {
namespace {

std::u16string Repeat(char16_t c, std::size_t n) { return std::u16string(n, c); }

// Skin messages come under the system's own caption.
std::vector<ShownMessage> Messages(std::initializer_list<std::u16string_view> texts) {
  std::vector<ShownMessage> out;
  for (std::u16string_view text : texts) out.push_back({std::u16string(text), u""});
  return out;
}

class SkinReaderTest : public ::testing::Test {
 protected:
  // Writes `lines` (CRLF-joined) as a UTF-16LE file with a byte-order mark.
  void Given(std::u16string_view name, const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (const auto& line : lines) text += line + u"\r\n";
    WriteBytes(folder.Path(name), Utf16LeBytes(text));
  }
  SkinFields Read(std::u16string_view section, std::int32_t n) { return reader.ReadSkinValue(file, section, n); }

  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  std::unique_ptr<FileQueries> fileQueries = MakeFileQueriesUnderTest();
  RecordingNotices notices;
  SkinValueReader reader{{*files, *fileQueries, notices, notices}};
  TestFolder folder;
  std::u16string file = folder.Path(u"layout.ini");
};

TEST_F(SkinReaderTest, ValuesSplitIntoCommaTerminatedFields) {
  struct Row {
    std::u16string value;
    SkinFields fields;
  };
  const Row rows[] = {
      {u"btn,10,20,30,40,OK,", {u"btn", u"10", u"20", u"30", u"40", u"OK"}},
      {u"btn,10,20,30,40", {u"btn", u"10", u"20", u"30", u"", u""}},  // the last field has no comma
      {u"Left Click", {u"Left Click", u"", u"", u"", u"", u""}},
      {u"Left Click,", {u"Left Click", u"", u"", u"", u"", u""}},
      {u"a, 1 ,2,,4, two words ,tail", {u"a", u" 1 ", u"2", u"", u"4", u" two words "}},
      {u",,,,,,", {u"", u"", u"", u"", u"", u""}},
      {u"a,b,c,d,e,f,", {u"a", u"b", u"c", u"d", u"e", u"f"}},
  };
  std::vector<std::u16string> lines{u"[S]"};
  for (std::size_t i = 0; i < std::size(rows); ++i) lines.push_back(DecimalText(std::int64_t(i)) + u"=" + rows[i].value);
  Given(u"layout.ini", lines);
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(Read(u"S", static_cast<std::int32_t>(i)), rows[i].fields) << Utf8FromUtf16(rows[i].value);
  }
  EXPECT_TRUE(notices.messages.empty());
  EXPECT_EQ(notices.exitRequests, 0);
}

TEST_F(SkinReaderTest, MoreThanSixCommasAreReportedOncePerFileLoadAndReadOn) {
  Given(u"layout.ini", {u"[S]", u"0=a,b,c,d,e,f,g,h", u"1=a,b,c,d,e,f,", u"2=,,,,,,,", u"3=x,1,2,3,4,L,"});
  reader.BeginFileLoad();
  EXPECT_EQ(Read(u"S", 0), (SkinFields{u"a", u"b", u"c", u"d", u"e", u"f"}));
  EXPECT_EQ(notices.messages, Messages({kMalformedSkinValueMessage}));
  EXPECT_EQ(Read(u"S", 1)[5], u"f");  // exactly six commas is well formed
  EXPECT_EQ(Read(u"S", 2), SkinFields{});  // malformed again, read on, not told again
  EXPECT_EQ(Read(u"S", 3)[5], u"L");
  EXPECT_EQ(notices.messages.size(), 1u);
  reader.BeginFileLoad();
  Read(u"S", 2);
  EXPECT_EQ(notices.messages.size(), 2u);
  EXPECT_EQ(notices.exitRequests, 0);
}

TEST_F(SkinReaderTest, ALayoutOfMalformedEntriesIsReportedOncePerLoad) {
  std::vector<std::u16string> lines{u"[BUTTONPOS]"};
  for (int i = 0; i < 124; ++i) lines.push_back(DecimalText(i) + u"=s,1,2,3,4,L,x,y,");
  lines.push_back(u"[FUN_STRING]");
  for (int i = 1; i <= 54; ++i) lines.push_back(DecimalText(i) + u"=a,b,c,d,e,f,g,");
  Given(u"layout.ini", lines);
  MainLayout layout;
  FunctionNames names;
  ASSERT_TRUE(LoadMainLayout(reader, file, layout, names));
  EXPECT_EQ(notices.messages, Messages({kMalformedSkinValueMessage}));
  EXPECT_EQ(layout[123], (SkinEntry{1, 2, 3, 4, u"L"}));  // still read
  ColorLayout colour;
  ASSERT_TRUE(LoadColorLayout(reader, file, colour));  // the next file load is told again
  EXPECT_EQ(notices.messages.size(), 2u);
}

TEST_F(SkinReaderTest, OnlyTheFirst259CharactersOfAValueCount) {
  const std::u16string head = u"n,1,2,3,4,";  // 10 characters
  Given(u"layout.ini", {
                           u"[S]",
                           u"0=" + head + Repeat(u'x', 248) + u",",  // 259 in all: kept whole
                           u"1=" + head + Repeat(u'x', 249) + u",",  // 260: the label's comma is cut off
                           u"2=" + head + Repeat(u'y', 280) + u",,,,,,,,",  // commas past the cut are not counted
                       });
  EXPECT_EQ(Read(u"S", 0)[5], Repeat(u'x', 248));
  EXPECT_EQ(Read(u"S", 1)[5], u"");
  EXPECT_EQ(Read(u"S", 1)[4], u"4");
  EXPECT_EQ(Read(u"S", 2)[5], u"");
  EXPECT_TRUE(notices.messages.empty());
}

TEST_F(SkinReaderTest, LoadersFillEveryEntryAndMissingKeysGiveZeroSpots) {
  Given(u"layout.ini", {
                           u"[BUTTONPOS]",
                           u"0=save,10,20,30,40,Save,",
                           u"07=never,1,1,1,1,read,",       // keys are written without leading zeros
                           u"5=odd,ab,-5,+7,3x,  spaced  ,",  // non-numbers are 0; labels keep their blanks
                           u"123=last,1,2,3,4,End,",
                           u"124=beyond,1,1,1,1,no,",
                           u"[FUN_STRING]",
                           u"1=Left Click,",
                           u"2=Middle Click",
                           u"54=Macro 14,",
                           u"55=beyond,",
                       });
  MainLayout layout;
  layout[7] = {9, 9, 9, 9, u"stale"};
  FunctionNames names;
  names.Set(3, u"stale");
  ASSERT_TRUE(LoadMainLayout(reader, file, layout, names));
  EXPECT_EQ(layout[0], (SkinEntry{10, 20, 30, 40, u"Save"}));
  EXPECT_EQ(layout[5], (SkinEntry{0, -5, 7, 3, u"  spaced  "}));
  EXPECT_EQ(layout[7], SkinEntry{});
  EXPECT_EQ(layout[123], (SkinEntry{1, 2, 3, 4, u"End"}));
  EXPECT_EQ(names[1], u"Left Click");
  EXPECT_EQ(names[2], u"Middle Click");
  EXPECT_EQ(names[3], u"");
  EXPECT_EQ(names[54], u"Macro 14");
  EXPECT_EQ(names[55], u"");
  EXPECT_EQ(names[0], u"");
  EXPECT_TRUE(notices.messages.empty());
}

TEST_F(SkinReaderTest, AdvancedLayoutReadsTheFourControlRectangles) {
  Given(u"layout.ini", {
                           u"[BUTTONPOS]",
                           u"51=last,5,6,7,8,L,",
                           u"[EDIT]",
                           u"3=count,100,200,50,20,",
                           u"4=name,10,20,-30,40,",
                           u"[MACRODISPLAY]",
                           u"1=macros,1,2,3,4,",
                           u"2=steps,2147483647,0,10,10,",
                       });
  AdvancedLayout layout;
  AdvancedControlRects controls;
  ASSERT_TRUE(LoadAdvancedLayout(reader, file, layout, controls));
  EXPECT_EQ(layout[51], (SkinEntry{5, 6, 7, 8, u"L"}));
  EXPECT_EQ(controls.repeatCountEdit, (PixelRect{100, 200, 150, 220}));
  EXPECT_EQ(controls.macroNameEdit, (PixelRect{10, 20, -20, 60}));
  EXPECT_EQ(controls.macroList, (PixelRect{1, 2, 4, 6}));
  EXPECT_EQ(controls.stepList, (PixelRect{2147483647, 0, 2147483647, 10}));  // stops at the edge of the range
}

TEST_F(SkinReaderTest, AMissingFileIsReportedOnceAndAsksForTheExitOnce) {
  MainLayout layout;
  layout[3] = {1, 2, 3, 4, u"old"};
  FunctionNames names;
  names.Set(1, u"old");
  EXPECT_FALSE(LoadMainLayout(reader, folder.Path(u"absent.ini"), layout, names));
  EXPECT_EQ(layout[3], SkinEntry{});
  EXPECT_EQ(names[1], u"");
  EXPECT_EQ(notices.messages, Messages({kMissingFileMessage}));
  EXPECT_EQ(notices.exitRequests, 1);

  ColorLayout color;
  EXPECT_FALSE(LoadColorLayout(reader, folder.Path(u"absent too.ini"), color));
  EXPECT_EQ(Read(u"BUTTONPOS", 0), SkinFields{});
  EXPECT_EQ(notices.messages.size(), 1u);
  EXPECT_EQ(notices.exitRequests, 1);
}

// An installation with both languages' layout files, each spot labelled with
// its language and file so that a test can tell where a table came from.
class SkinInstallation : public SkinReaderTest {
 protected:
  SkinInstallation() {
    paths.applicationDirectory = folder.Directory();
    std::filesystem::create_directories(zr::FilePath(paths.SkinFolder() + u"\\INI_EN"));
    std::filesystem::create_directories(zr::FilePath(paths.SkinFolder() + u"\\INI_CN"));
    for (std::uint8_t language : {0, 1}) {
      const std::u16string tag = language ? u"en" : u"cn";
      for (auto [kind, name] : {std::pair{SkinLayoutFile::Main, u"main"}, std::pair{SkinLayoutFile::Advanced, u"adv"},
                                std::pair{SkinLayoutFile::Color, u"color"}, std::pair{SkinLayoutFile::Warning, u"warn"}}) {
        std::vector<std::u16string> lines{u"[BUTTONPOS]", u"0=s,1,2,3,4," + tag + u"-" + name + u","};
        if (kind == SkinLayoutFile::Main) lines.insert(lines.end(), {u"[FUN_STRING]", u"1=" + tag + u"-left,"});
        if (kind == SkinLayoutFile::Advanced)
          lines.insert(lines.end(), {u"[EDIT]", u"4=n,10,10,100,20,", u"[MACRODISPLAY]", u"1=m,0,0,5,5,"});
        Given(paths.SkinLayout(kind, language).substr(folder.Directory().size() + 1), lines);
      }
    }
  }

  AppPaths paths;
  SkinLayouts skin;
};

TEST_F(SkinInstallation, StartUpLoadsThePageLayoutsOfTheLanguageAndTheWarningApart) {
  ASSERT_TRUE(LoadPageLayouts(reader, paths, 1, skin));
  EXPECT_EQ(skin.main[0].label, u"en-main");
  EXPECT_EQ(skin.color[0].label, u"en-color");
  EXPECT_EQ(skin.advanced[0].label, u"en-adv");
  EXPECT_EQ(skin.functionNames[1], u"en-left");
  EXPECT_EQ(skin.controls.macroNameEdit, (PixelRect{10, 10, 110, 30}));
  EXPECT_EQ(skin.warning[0].label, u"");
  ASSERT_TRUE(LoadWarningLayout(reader, paths, 1, skin));
  EXPECT_EQ(skin.warning[0].label, u"en-warn");

  ASSERT_TRUE(LoadPageLayouts(reader, paths, 7, skin));  // any nonzero flag is English
  EXPECT_EQ(skin.main[0].label, u"en-main");
  ASSERT_TRUE(LoadPageLayouts(reader, paths, 0, skin));
  EXPECT_EQ(skin.main[0].label, u"cn-main");
  EXPECT_TRUE(notices.messages.empty());
}

TEST_F(SkinInstallation, StartUpStopsAtTheFirstMissingFile) {
  std::filesystem::remove(zr::FilePath(paths.SkinLayout(SkinLayoutFile::Color, 0)));
  EXPECT_FALSE(LoadPageLayouts(reader, paths, 0, skin));
  EXPECT_EQ(skin.main[0].label, u"cn-main");
  EXPECT_EQ(skin.advanced[0].label, u"");  // not reached
  EXPECT_EQ(notices.messages, Messages({kMissingFileMessage}));
  EXPECT_EQ(notices.exitRequests, 1);
}

class RecordingHooks final : public LanguageSwitchHooks {
 public:
  void ReloadMacros(std::u16string_view macroFile) override { calls.push_back(u"macros " + std::u16string(macroFile)); }
  void RefreshAdvancedPage() override { calls.push_back(u"refresh"); }
  void RebuildMenus(std::uint8_t languageFlag) override { calls.push_back(u"menus " + DecimalText(languageFlag)); }
  void SetMainWindowTitle(std::u16string_view title) override { calls.push_back(u"title " + std::u16string(title)); }
  std::vector<std::u16string> calls;
};

TEST_F(SkinInstallation, SwitchingLanguageStoresTheFlagAndReloadsEverythingInOrder) {
  std::uint8_t languageFlag = 0;
  RecordingHooks hooks;
  for (std::uint8_t language : {1, 0}) {
    SCOPED_TRACE(language);
    hooks.calls.clear();
    ASSERT_TRUE(SwitchLanguage(language, {*files, paths, languageFlag, skin}, reader, hooks));
    const std::u16string tag = language ? u"en" : u"cn";
    EXPECT_EQ(languageFlag, language);
    EXPECT_EQ(ReadStartupChoices(*files, paths.ConfigFile()).languageFlag, language);
    EXPECT_EQ(skin.main[0].label, tag + u"-main");
    EXPECT_EQ(skin.color[0].label, tag + u"-color");
    EXPECT_EQ(skin.advanced[0].label, tag + u"-adv");
    EXPECT_EQ(skin.warning[0].label, tag + u"-warn");
    EXPECT_EQ(skin.functionNames[1], tag + u"-left");
    EXPECT_EQ(hooks.calls, (std::vector<std::u16string>{u"macros " + paths.MacroFile(language), u"refresh",
                                                        u"menus " + DecimalText(language),
                                                        u"title ZR305 Gaming Mouse Driver"}));
  }
  EXPECT_TRUE(notices.messages.empty());
}

TEST_F(SkinInstallation, SwitchingToALanguageWithAMissingLayoutFileChangesNothing) {
  std::uint8_t languageFlag = 1;
  RecordingHooks hooks;
  ASSERT_TRUE(SwitchLanguage(1, {*files, paths, languageFlag, skin}, reader, hooks));
  hooks.calls.clear();
  // Any one of the four is enough to refuse, the last one read included.
  for (SkinLayoutFile missing : {SkinLayoutFile::Main, SkinLayoutFile::Warning}) {
    SCOPED_TRACE(static_cast<int>(missing));
    const std::filesystem::path file = zr::FilePath(paths.SkinLayout(missing, 0));
    const std::filesystem::path aside = file.string() + ".aside";
    std::filesystem::rename(file, aside);
    notices.messages.clear();
    EXPECT_FALSE(SwitchLanguage(0, {*files, paths, languageFlag, skin}, reader, hooks));
    std::filesystem::rename(aside, file);
    EXPECT_EQ(languageFlag, 1);
    EXPECT_EQ(ReadStartupChoices(*files, paths.ConfigFile()).languageFlag, 1);  // the next start is English too
    EXPECT_EQ(skin.main[0].label, u"en-main");
    EXPECT_EQ(skin.warning[0].label, u"en-warn");
    EXPECT_TRUE(hooks.calls.empty());
    EXPECT_EQ(notices.messages, Messages({kMissingFileMessage}));
    EXPECT_EQ(notices.exitRequests, 0);  // the utility goes on in the language it has
  }
}

}  // namespace
}  // namespace zr::test
