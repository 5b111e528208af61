// Macro files through the profile functions: the portable engine natively,
// the system's own functions under Wine. Both must read and write the same.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/AppPaths.h"
#include "macros/KeyCodes.h"
#include "macros/MacroFile.h"
#include "macros/MacroReset.h"
#include "platform/PortablePath.h"
#include "platform/Text.h"
#include "shared/PlatformUnderTest.h"
#include "shared/ProfileUnderTest.h"
#include "shared/RecordingNotices.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

std::string Fields(std::initializer_list<int> values) {
  std::string text;
  for (int value : values) {
    const std::string digits = std::to_string(value);
    text += std::string(3 - digits.size(), '0') + digits;
  }
  return text;
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::u16string Units(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string Numbered(int i) {
  std::u16string name = u"#";
  return name.append(DecimalText(i));
}

// "Ab", played five times: A pressed, 300 ms, A released, 30 ms.
MacroRecord ExampleMacro() {
  MacroRecord record;
  SetMacroName(record, u"Ab");
  record.repeatMode = 1;
  record.repeatCount = 5;
  record.eventCount = 2;
  record.events[0] = {4, kKeyPress};
  record.events[1] = {4, kKeyRelease};
  record.delays[0] = 300;
  record.delays[1] = 30;
  return record;
}

const std::string kExampleRecord = Fields({65, 0, 98, 0}) + Repeat(Fields({0}), 36) + Fields({1, 5, 0, 2}) +
                                   Fields({65, 1, 44, 1}) + Fields({65, 2, 30, 0}) + Repeat(Fields({0, 0, 0, 0}), 253);

class MacroFileScenario : public ::testing::Test {
 protected:
  void Given(std::string_view bytes) { WriteBytes(file, bytes); }
  // A file with the given count and records, written by hand.
  void GivenRecords(std::string_view count, const std::vector<std::pair<int, std::string>>& records) {
    std::string text = std::string("[Macros]\r\nmacroNum=").append(count) + "\r\n";
    for (const auto& [index, value] : records) text += std::to_string(index) + "=" + value + "\r\n";
    Given(text);
  }
  void Load() { LoadMacroFile(services, file, tables); }
  bool Save() { return SaveMacroFile(*profiles, file, tables); }

  std::unique_ptr<ProfileFiles> profiles = MakeProfileFilesUnderTest();
  std::unique_ptr<FileQueries> fileQueries = MakeFileQueriesUnderTest();
  RecordingNotices notices;
  MacroFileServices services{*profiles, *fileQueries, notices};
  TestFolder folder;
  std::u16string file = folder.Path(u"macros.dat");
  MacroTables tables;
};

TEST_F(MacroFileScenario, TheExampleRecordIsWrittenFieldByFieldAndReadsBackEqual) {
  ASSERT_EQ(kExampleRecord.size(), kRecordStringLength);
  EXPECT_EQ(MacroRecordString(ExampleMacro()), Units(kExampleRecord));
  EXPECT_EQ(MacroRecordFromString(Units(kExampleRecord)), ExampleMacro());

  tables.macros[0] = ExampleMacro();
  tables.macroCount = 1;
  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadBytes(file), std::string("[Macros]\r\nmacroNum=1\r\n0=") + kExampleRecord + "\r\n");

  MacroTables loaded;
  LoadMacroFile(services, file, loaded);
  EXPECT_EQ(loaded.macroCount, 1);
  EXPECT_EQ(loaded.currentMacro, 0);
  EXPECT_EQ(loaded.macros[0], ExampleMacro());
  EXPECT_TRUE(notices.messages.empty());
}

TEST_F(MacroFileScenario, SavingWritesTheCountAndOnlyTheRecordsBelowIt) {
  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadBytes(file), "[Macros]\r\nmacroNum=0\r\n");

  for (int i = 0; i < 3; ++i) SetMacroName(tables.macros[i], DecimalText(i));
  tables.macroCount = 3;
  EXPECT_TRUE(Save());
  tables.macroCount = 1;
  EXPECT_TRUE(Save());
  // The records of the longer save stay behind, but nothing reads them.
  EXPECT_EQ(profiles->ReadString(kMacroSection, u"2", u"", 8, file), MacroRecordString(tables.macros[2]).substr(0, 7));
  MacroTables loaded;
  LoadMacroFile(services, file, loaded);
  EXPECT_EQ(loaded.macroCount, 1);
  EXPECT_EQ(MacroName(loaded.macros[0]), u"0");
  EXPECT_EQ(loaded.macros[2], FreedMacroSlot());
}

TEST_F(MacroFileScenario, MissingRecordsAndShortStringsReadAsZero) {
  // Record 2 ends after the first event's key and action.
  GivenRecords("3", {{0, "065000098"}, {2, kExampleRecord.substr(0, 3 * 46)}});
  Load();
  EXPECT_EQ(tables.macroCount, 3);
  EXPECT_EQ(tables.currentMacro, 2);
  EXPECT_EQ(MacroName(tables.macros[0]), u"Ab");
  EXPECT_EQ(tables.macros[0].eventCount, 0);
  EXPECT_EQ(tables.macros[1], MacroRecord{});  // no key: all zero, as recorded
  MacroRecord firstEventOnly = ExampleMacro();
  firstEventOnly.events[1] = {};
  firstEventOnly.delays = {};
  EXPECT_EQ(tables.macros[2], firstEventOnly);
}

TEST_F(MacroFileScenario, TheCountIsItsFirstTwoCharactersHeldToTheTable) {
  struct Row {
    const char* stated;
    int user;      // user macros read
    int constant;  // constant macros read
  };
  const Row rows[] = {
      {"3", 3, 3},     {"123", 12, 12},  // only "12" comes back
      {"99", 12, 13},  {"13", 12, 13},  {"-1", 0, 0},
      {"5x", 5, 5},    {"x5", 0, 0},    {"", 0, 0},
      {" 7", 7, 7},    {"0012", 0, 0},
  };
  std::vector<std::pair<int, std::string>> thirteen;
  MacroRecord named = ExampleMacro();
  for (int i = 0; i < kMacroSlots; ++i) {
    SetMacroName(named, Numbered(i));
    std::u16string text = MacroRecordString(named);
    thirteen.emplace_back(i, std::string(text.begin(), text.end()));
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stated);
    GivenRecords(row.stated, thirteen);
    MacroTables loaded;
    loaded.currentMacro = 7;
    LoadMacroFile(services, file, loaded);
    LoadConstantMacroFile(services, file, loaded);
    EXPECT_EQ(loaded.macroCount, row.user);
    EXPECT_EQ(loaded.currentMacro, row.user > 0 ? row.user - 1 : 0);
    EXPECT_EQ(loaded.constantMacroCount, row.constant);
    for (int i = 0; i < kMacroSlots; ++i) {
      EXPECT_EQ(MacroName(loaded.macros[i]), i < row.user ? Numbered(i) : u"");
      EXPECT_EQ(MacroName(loaded.constantMacros[i]), i < row.constant ? Numbered(i) : u"");
    }
    EXPECT_EQ(loaded.macros[kTemplateSlot], MacroRecord{});  // the template stays blank whatever the file says
  }
}

TEST_F(MacroFileScenario, FieldsAreDecimalValuesCutToTheirLowByte) {
  // repeat mode "999", count " 12" and "7ab", event count "abc".
  const std::string record = Repeat("000", 40) + "999" + " 12" + "7ab" + "abc" + "065" + "-01";
  GivenRecords("1", {{0, record}});
  Load();
  const MacroRecord& loaded = tables.macros[0];
  EXPECT_EQ(loaded.repeatMode, 231);
  EXPECT_EQ(loaded.repeatCount, 12 + 7 * 256);
  EXPECT_EQ(loaded.eventCount, 0);
  EXPECT_EQ(loaded.events[0], (MacroEvent{4, 255}));  // -1 keeps its low eight bits
}

TEST_F(MacroFileScenario, KeysAreStoredAsVirtualKeysAndMouseButtonsAsThemselves) {
  MacroRecord record;
  record.eventCount = 3;
  record.events[0] = {kRightButtonKey, kKeyPress};
  record.events[1] = {50, kKeyPress};  // the grave-accent key
  record.events[2] = {53, kKeyPress};  // names no key and passes through
  const std::u16string text = MacroRecordString(record);
  EXPECT_EQ(text.substr(3 * 44, 3), u"241");
  EXPECT_EQ(text.substr(3 * 48, 3), u"192");
  EXPECT_EQ(text.substr(3 * 52, 3), u"053");

  MacroRecord read = MacroRecordFromString(text);
  EXPECT_EQ(read.events[0].key, kRightButtonKey);
  EXPECT_EQ(read.events[1].key, 50);
  EXPECT_EQ(read.events[2].key, 34);  // virtual key 53 is the digit 5: only a hand-made file holds it
}

TEST_F(MacroFileScenario, WhatAFileSaysCannotBreakTheRecordsBounds) {
  // A name of twenty units and an event count past the editor's limit.
  std::string record;
  for (int i = 0; i < 20; ++i) record += Fields({'a' + i, 0});
  record += Fields({0, 1, 0, 255});
  GivenRecords("1", {{0, record}});
  Load();
  EXPECT_EQ(MacroName(tables.macros[0]), u"abcdefghijklmnopqrs");
  EXPECT_EQ(tables.macros[0].name.back(), u'\0');
  EXPECT_EQ(tables.macros[0].eventCount, kMaxMacroEvents);
}

TEST_F(MacroFileScenario, LoadingASmallerFileFreesTheSlotsAboveIt) {
  for (int i = 0; i < 5; ++i) tables.macros[i] = ExampleMacro();
  tables.macroCount = 5;
  std::u16string record = MacroRecordString(ExampleMacro());
  GivenRecords("2", {{0, std::string(record.begin(), record.end())}, {1, std::string(record.begin(), record.end())}});
  Load();
  EXPECT_EQ(tables.macroCount, 2);
  EXPECT_EQ(tables.currentMacro, 1);
  for (int i = 2; i < kUserMacroSlots; ++i) EXPECT_EQ(tables.macros[i], FreedMacroSlot()) << i;
  EXPECT_EQ(tables.macros[kTemplateSlot], MacroRecord{});
}

TEST_F(MacroFileScenario, AMissingFileIsReportedAndReadsAsEmpty) {
  tables.macros[0] = ExampleMacro();
  tables.macroCount = 1;
  tables.currentMacro = 4;
  LoadConstantMacroFile(services, file, tables);
  EXPECT_EQ(tables.currentMacro, 4);  // the constant table leaves the editor alone
  Load();
  EXPECT_EQ(tables.macroCount, 0);
  EXPECT_EQ(tables.currentMacro, 0);
  EXPECT_EQ(tables.macros[0], FreedMacroSlot());
  const std::vector<ShownMessage> expected(2, ShownMessage{u"找不到配置文件", u""});
  EXPECT_EQ(notices.messages, expected);
  EXPECT_FALSE(Exists(file));
}

TEST_F(MacroFileScenario, AUtf16FileReadsTheSameAndStaysUtf16) {
  Given(Utf16LeBytes(std::u16string(u"[Macros]\r\nmacroNum=1\r\n0=") + Units(kExampleRecord) + u"\r\n"));
  Load();
  EXPECT_EQ(tables.macros[0], ExampleMacro());
  SetMacroName(tables.macros[0], u"宏");
  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadBytes(file), Utf16LeBytes(std::u16string(u"[Macros]\r\nmacroNum=1\r\n0=") +
                                          MacroRecordString(tables.macros[0]) + u"\r\n"));
}

// Tables as the editor leaves them: any count, names of at most 19 units
// (Chinese and surrogate pairs among them), keys that recording or the
// context menu produce, any delay, and stale events past the count.
TEST_F(MacroFileScenario, EveryTableTheEditorCanBuildSurvivesSaveAndLoad) {
  std::mt19937 random(305);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::u16string pieces[] = {u"A", u"z", u"0", u" ", u"_", u"宏", u"连发", u"\U0001F3AE"};
  for (int count : {12, 1, 7, 0}) {
    SCOPED_TRACE(count);
    MacroTables built;
    built.macroCount = static_cast<std::int16_t>(count);
    for (int i = 0; i < count; ++i) {
      MacroRecord& record = built.macros[i];
      std::u16string name;
      for (int n = 1 + below(20); n > 0; --n) name += pieces[below(static_cast<int>(std::size(pieces)))];
      SetMacroName(record, name);
      record.repeatMode = static_cast<std::uint8_t>(below(2));
      record.repeatCount = static_cast<std::uint16_t>(random());
      record.eventCount = static_cast<std::uint8_t>(below(kMaxMacroEvents + 1));
      for (std::size_t k = 0; k < kMacroEventSlots; ++k) {
        const int kind = below(4);
        const std::uint8_t key = kind == 0 ? static_cast<std::uint8_t>(kLeftButtonKey + below(3))
                                           : KeyCodeFromVirtualKey(static_cast<std::uint8_t>(random()));
        record.events[k] = {key, static_cast<std::uint8_t>(1 + below(2))};
        record.delays[k] = static_cast<std::uint16_t>(random());
      }
    }
    tables.macroCount = built.macroCount;
    tables.macros = built.macros;
    EXPECT_TRUE(Save());
    MacroTables loaded;
    LoadMacroFile(services, file, loaded);
    ASSERT_EQ(loaded.macroCount, count);
    for (int i = 0; i < count; ++i) EXPECT_EQ(loaded.macros[i], built.macros[i]) << "slot " << i;
  }
}

class MacroResetScenario : public MacroFileScenario, public ::testing::WithParamInterface<std::uint8_t> {
 protected:
  void SetUp() override {
    paths.applicationDirectory = folder.Directory();
    for (const char16_t* language : {u"\\skins\\INI_EN", u"\\skins\\INI_CN"})
      std::filesystem::create_directories(FilePath(folder.Directory() + language));
  }
  AppPaths paths;
};

TEST_P(MacroResetScenario, TheDefaultsOfTheLanguageBecomeTheUsersMacros) {
  const std::uint8_t language = GetParam();
  MacroTables defaults;
  defaults.macros[0] = ExampleMacro();
  defaults.macros[1] = ExampleMacro();
  SetMacroName(defaults.macros[1], language != 0 ? u"Second" : u"第二");
  defaults.macroCount = 2;
  ASSERT_TRUE(SaveMacroFile(*profiles, paths.DefaultMacroFile(language), defaults));
  WriteBytes(paths.DefaultMacroFile(language == 0), "[Macros]\r\nmacroNum=0\r\n");  // the other language's

  for (int i = 0; i < 6; ++i) tables.macros[i] = ExampleMacro();
  tables.macroCount = 6;
  int refreshes = 0;
  const std::string before = ReadBytes(paths.MacroFile(language));
  EXPECT_TRUE(ResetMacros(services, paths, language, tables, [&] {
    ++refreshes;
    EXPECT_EQ(tables.macroCount, 2);  // the editor sees the new table before it reaches the file
    EXPECT_EQ(ReadBytes(paths.MacroFile(language)), before);
  }));
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(tables.macroCount, 2);
  EXPECT_EQ(tables.currentMacro, 1);
  EXPECT_EQ(tables.macros[1], defaults.macros[1]);
  EXPECT_EQ(tables.macros[2], FreedMacroSlot());
  EXPECT_EQ(ReadBytes(paths.MacroFile(language)), ReadBytes(paths.DefaultMacroFile(language)));
  EXPECT_FALSE(Exists(paths.MacroFile(language == 0)));
  EXPECT_TRUE(notices.messages.empty());
}

TEST_P(MacroResetScenario, WithoutDefaultsTheUserIsToldAndKeepsTheirMacros) {
  const std::uint8_t language = GetParam();
  tables.macros[0] = ExampleMacro();
  tables.macroCount = 1;
  ASSERT_TRUE(SaveMacroFile(*profiles, paths.MacroFile(language), tables));
  const std::string saved = ReadBytes(paths.MacroFile(language));

  bool refreshed = false;
  EXPECT_FALSE(ResetMacros(services, paths, language, tables, [&] { refreshed = true; }));
  EXPECT_FALSE(refreshed);
  EXPECT_EQ(notices.messages, (std::vector<ShownMessage>{{u"找不到配置文件", u""}}));
  EXPECT_EQ(tables.macroCount, 1);
  EXPECT_EQ(tables.macros[0], ExampleMacro());
  EXPECT_EQ(ReadBytes(paths.MacroFile(language)), saved);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MacroResetScenario, ::testing::Values(1, 0),
                         [](const auto& info) { return info.param != 0 ? "English" : "Chinese"; });

}  // namespace
}  // namespace zr::test
