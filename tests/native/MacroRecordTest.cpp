#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "macros/MacroFile.h"
#include "macros/MacroRecord.h"
#include "platform/IniEngine.h"
#include "shared/RecordingNotices.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

TEST(MacroName, KeepsAtMostNineteenUnitsAndNeverHalfACharacter) {
  struct Row {
    std::u16string_view given, kept;
  };
  const Row rows[] = {
      {u"", u""},
      {u"Burst", u"Burst"},
      {u"nineteen characters", u"nineteen characters"},
      {u"twenty characters!!!", u"twenty characters!!"},
      {u"twenty-one characters", u"twenty-one characte"},
      {u"宏一二三四五六七八九十一二三四五六七八九十",  // 21 units
       u"宏一二三四五六七八九十一二三四五六七八"},
      // The 19th unit would be the first half of a pair: the pair goes whole.
      {u"eighteen units....\U0001F3AE", u"eighteen units...."},
      {u"seventeen units..\U0001F3AE", u"seventeen units..\U0001F3AE"},
  };
  for (const Row& row : rows) {
    MacroRecord record;
    record.name.fill(u'x');  // a longer earlier name must not show through
    SetMacroName(record, row.given);
    EXPECT_EQ(MacroName(record), row.kept);
    for (std::size_t i = row.kept.size(); i < kMacroNameUnits; ++i) EXPECT_EQ(record.name[i], u'\0') << i;
  }
}

TEST(MacroName, StopsAtTheTerminatorAndAtTheEndOfTheField) {
  MacroRecord record;
  record.name = {u'a', u'b', u'\0', u'c'};
  EXPECT_EQ(MacroName(record), u"ab");
  record.name.fill(u'z');  // only possible by writing the field directly
  EXPECT_EQ(MacroName(record).size(), kMacroNameUnits);
}

TEST(MacroPlayback, CopiesOnlyTheSlotsButtonFunctionsReach) {
  MacroTables tables;
  for (int i = 0; i < kMacroSlots; ++i) {
    tables.macros[i].eventCount = static_cast<std::uint8_t>(i + 1);
    tables.constantMacros[i].eventCount = static_cast<std::uint8_t>(i + 100);
  }
  EXPECT_EQ(UserMacroForPlayback(tables, 0).eventCount, 1);
  EXPECT_EQ(UserMacroForPlayback(tables, 11).eventCount, 12);
  EXPECT_EQ(ConstantMacroForPlayback(tables, 7).eventCount, 107);
  for (int slot : {-1, 12, 13, 1000}) EXPECT_EQ(UserMacroForPlayback(tables, slot), MacroRecord{}) << slot;
  for (int slot : {-1, 8, 12}) EXPECT_EQ(ConstantMacroForPlayback(tables, slot), MacroRecord{}) << slot;
}

// The worker copies a macro while the interface thread reloads the table:
// every copy is one whole macro of one file, never a mixture.
TEST(MacroPlayback, ACopyTakenDuringALoadIsOneWholeMacro) {
  TestFolder folder;
  PortableProfileFiles profiles;
  PortableFileQueries fileQueries;
  RecordingNotices notices;
  MacroFileServices services{profiles, fileQueries, notices};

  MacroTables source;
  source.macroCount = 1;
  const std::u16string files[] = {folder.Path(u"a.dat"), folder.Path(u"b.dat")};
  for (int f = 0; f < 2; ++f) {
    MacroRecord& record = source.macros[0];
    record.eventCount = static_cast<std::uint8_t>(10 + f);
    record.delays.fill(static_cast<std::uint16_t>(1000 + f));
    record.events.fill({static_cast<std::uint8_t>(4 + f), kKeyPress});
    ASSERT_TRUE(SaveMacroFile(profiles, files[f], source));
  }

  MacroTables tables;
  LoadMacroFile(services, files[0], tables);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    int mixed = 0;
    while (!done) {
      const MacroRecord copy = UserMacroForPlayback(tables, 0);
      const int f = copy.eventCount - 10;
      if (f < 0 || f > 1 || copy.delays[254] != 1000 + f || copy.events[254].key != 4 + f) ++mixed;
    }
    EXPECT_EQ(mixed, 0);
  });
  for (int i = 0; i < 40; ++i) LoadMacroFile(services, files[i % 2], tables);
  done = true;
  worker.join();
}

}  // namespace
}  // namespace zr::test
