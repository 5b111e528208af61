// A macro import that finds no macro record changes nothing, in memory and,
// through the next save, on disk; against the profile functions under test.
#include <gtest/gtest.h>

#include "macros/MacroImport.h"
#include "shared/PlatformUnderTest.h"
#include "shared/ProfileUnderTest.h"
#include "shared/RecordingNotices.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

class MacroImport : public ::testing::Test {
 protected:
  void SetUp() override {
    MacroRecord macro;
    SetMacroName(macro, u"mine");
    macro.eventCount = 2;
    macro.events[0] = {4, kKeyPress};
    macro.events[1] = {4, kKeyRelease};
    tables->macros[0] = macro;
    tables->macros[1] = macro;
    tables->macroCount = 2;
    tables->currentMacro = 1;
    ASSERT_TRUE(SaveMacroFile(*profiles, userFile, *tables));
    saved = ReadBytes(userFile);
  }

  std::unique_ptr<ProfileFiles> profiles = MakeProfileFilesUnderTest();
  std::unique_ptr<FileQueries> queries = MakeFileQueriesUnderTest();
  RecordingNotices notices;
  MacroFileServices services{*profiles, *queries, notices};
  std::unique_ptr<MacroTables> tables = std::make_unique<MacroTables>();
  TestFolder folder;
  std::u16string userFile = folder.Path(u"Macro_EN.dat");
  std::string saved;
};

TEST_F(MacroImport, AFileWithoutMacroRecordsChangesNothingAndTheNextSaveKeepsTheFile) {
  const std::u16string garbage = folder.Path(u"garbage.dat");
  WriteBytes(garbage, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR not macros at all", 30));
  const std::u16string noRecords = folder.Path(u"empty list.dat");
  WriteBytes(noRecords, "[Macros]\r\nmacroNum=0\r\n");
  for (const std::u16string& path : {garbage, folder.Path(u"no such file.dat"), noRecords}) {
    EXPECT_FALSE(ImportMacroFile(services, path, *tables));
    EXPECT_EQ(tables->macroCount, 2);
    EXPECT_EQ(tables->currentMacro, 1);
    EXPECT_EQ(MacroName(tables->macros[1]), u"mine");
  }
  EXPECT_TRUE(notices.messages.empty());  // the caller speaks, in the window's language

  ASSERT_TRUE(SaveMacroFile(*profiles, userFile, *tables));  // what Set does next
  EXPECT_EQ(ReadBytes(userFile), saved);
}

TEST_F(MacroImport, AMacroFileReplacesTheTable) {
  const std::u16string other = folder.Path(u"other.dat");
  MacroTables one;
  SetMacroName(one.macros[0], u"theirs");
  one.macroCount = 1;
  ASSERT_TRUE(SaveMacroFile(*profiles, other, one));
  EXPECT_TRUE(ImportMacroFile(services, other, *tables));
  EXPECT_EQ(tables->macroCount, 1);
  EXPECT_EQ(MacroName(tables->macros[0]), u"theirs");
}

}  // namespace
}  // namespace zr::test
