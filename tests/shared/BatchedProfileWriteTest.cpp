// Writes put in place once, whole: the file a batch leaves must be, byte for
// byte, the file the same writes leave one by one through the reference (the
// system's own profile functions under Wine). The rows are the shapes of file
// the utility's saves meet.
#include <gtest/gtest.h>

#include <optional>
#include <thread>
#include <vector>

#include "config/ConfigStore.h"
#include "platform/AtomicFiles.h"
#include "platform/Text.h"
#include "shared/ProfileUnderTest.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

struct BatchRow {
  const char* name;
  std::optional<std::string> given;  // nullopt: no file yet
  std::vector<ProfileWrite> writes;
};

void PrintTo(const BatchRow& row, std::ostream* out) { *out << row.name; }

std::vector<ProfileWrite> DownloadWrites() {
  ConfigRecord record;
  SetFactoryDefaults(record);
  record.K[3] = 41;
  record.FIRE_TIME = -5;
  std::vector<ProfileWrite> writes{CurrentConfigNumberWrite(3)};
  AddConfigurationWrites(writes, kDownloadSnapshotNumber, record);
  AddConfigurationWrites(writes, 3, record);
  return writes;
}

std::vector<ProfileWrite> MacroWrites() {
  return {{u"Macros", u"macroNum", u"2"}, {u"Macros", u"0", std::u16string(3192, u'0')}, {u"Macros", u"1", u"065000098"}};
}

const BatchRow kRows[] = {
    {"DownloadKeepsSectionsAndKeysItDoesNotKnow",
     "[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\nOSD=1\r\n[Config1]\r\nK0=1\r\nCUSTOM=x\r\n[AppProfiles]\r\n"
     "game.exe=2\r\n; a comment\r\n[CfgReset2]\r\nK0=1\r\n[Config3]\r\nK0=7\r\n",
     DownloadWrites()},
    {"DownloadIntoAMissingFile", std::nullopt, DownloadWrites()},
    {"MacroFileOverALongerOne", "[Macros]\r\nmacroNum=3\r\n0=1\r\n1=2\r\n2=3\r\n", MacroWrites()},
    {"TheLastOfTwoWritesOfAKeyWinsWhateverTheCase", "[config1]\r\nk0=1\r\n",
     {{u"Config1", u"K0", u"2"}, {u"CONFIG1", u"k0", u"3"}, {u"New", u"a", u"1"}, {u"new", u"A", u"4"}, {u"Config1", u"K1", u"5"}}},
    {"BlanksAroundNamesAndValuesGo", "[S]\r\nk=1\r\n", {{u"  S  ", u"  k ", u"  2  "}, {u" T", u" u", u"\t3"}}},
    {"Utf16FileStaysUtf16", Utf16LeBytes(u"[语言]\r\n名称=中文\r\n[Init]\r\nVER_SEL=0\r\n"),
     {{u"Init", u"VER_SEL", u"1"}, {u"新", u"键", u"值"}}},
    {"AnsiBytesThatAreNotUtf8Survive", "[S]\r\nname=caf\xE9\r\n", {{u"S", u"k", u"1"}, {u"S", u"name2", u"x"}}},
    {"OddLineEndsAreRewrittenWhenSomethingChanges", "[S]\na=1\n\n[T]\rc=3", {{u"S", u"a", u"1"}, {u"T", u"c", u"4"}}},
    {"WritesThatChangeNothingLeaveTheBytesAlone", "[S]\na=1\n\n[T]\rc=3", {{u"S", u"a", u"1"}, {u"t", u"C", u"3"}}},
    {"AnEmptyFileGetsItsFirstSections", "", {{u"Init", u"CurConfig", u"1"}, {u"Config1", u"K0", u"1"}}},
    {"NoWritesAtAll", "[S]\r\nk=1", {}},
};

class BatchedProfileWrite : public ::testing::TestWithParam<BatchRow> {
 protected:
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  std::unique_ptr<ProfileFiles> reference = MakeReferenceProfileFiles();
  TestFolder folder;
};

TEST_P(BatchedProfileWrite, LeavesTheBytesTheWritesLeaveOneByOne) {
  const BatchRow& row = GetParam();
  const std::u16string batched = folder.Path(u"batched.ini"), oneByOne = folder.Path(u"one-by-one.ini");
  if (row.given) {
    WriteBytes(batched, *row.given);
    WriteBytes(oneByOne, *row.given);
  }
  EXPECT_TRUE(files->WriteStrings(row.writes, batched));
  for (const ProfileWrite& write : row.writes) reference->WriteString(write.section, write.key, write.value, oneByOne);

  ASSERT_EQ(Exists(batched), Exists(oneByOne));
  if (Exists(oneByOne)) {
    EXPECT_EQ(ReadBytes(batched), ReadBytes(oneByOne));
  }
  EXPECT_FALSE(Exists(ReplacementPath(batched)));
  // What a later read sees comes from the new file, not from the old one.
  for (const ProfileWrite& write : row.writes)
    EXPECT_EQ(files->ReadString(write.section, write.key, u"-", 4000, batched),
              reference->ReadString(write.section, write.key, u"-", 4000, oneByOne));
}

INSTANTIATE_TEST_SUITE_P(Rows, BatchedProfileWrite, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<BatchRow>& info) { return std::string(info.param.name); });

TEST(BatchedProfileWrites, AFileThatCannotBeWrittenStaysAsItWasAndNothingIsLeftBeside) {
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  TestFolder folder;
  const std::u16string file = folder.Path(u"config.ini");
  WriteBytes(file, "[Init]\r\nCurConfig=1\r\n");
  MakeReadOnly(file);
  ASSERT_TRUE(ReadOnlyFilesAreEnforced(file));
  EXPECT_FALSE(files->WriteStrings(DownloadWrites(), file));
  EXPECT_TRUE(files->WriteStrings(std::vector<ProfileWrite>{{u"init", u"CURCONFIG", u"1"}}, file));  // no change, no write
  MakeWritable(file);
  EXPECT_EQ(ReadBytes(file), "[Init]\r\nCurConfig=1\r\n");
  EXPECT_FALSE(Exists(ReplacementPath(file)));

  const std::u16string inMissingFolder = folder.Path(u"missing\\config.ini");
  EXPECT_FALSE(files->WriteStrings(DownloadWrites(), inMissingFolder));
  EXPECT_FALSE(Exists(inMissingFolder));
}

// The interface thread's saves and the button-action worker's single keys
// go to the same file at the same time: with each read-change-replace under
// the file's lock, no write undoes another.
TEST(BatchedProfileWrites, TwoThreadsWritingOneFileKeepEachOthersKeys) {
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  TestFolder folder;
  const std::u16string file = folder.Path(u"config.ini");
  constexpr int kWrites = 60;
  auto writer = [&](std::u16string section) {
    for (int i = 0; i < kWrites; ++i) {
      if (i % 3 == 0) {
        const std::vector<ProfileWrite> batch{{section, u"K" + DecimalText(i), u"1"},
                                              {section, u"L" + DecimalText(i), u"2"}};
        files->WriteStrings(batch, file);
      } else {
        files->WriteString(section, u"K" + DecimalText(i), u"1", file);
      }
    }
  };
  std::thread worker(writer, u"Config2");
  writer(u"Config1");
  worker.join();

  for (const char16_t* section : {u"Config1", u"Config2"})
    for (int i = 0; i < kWrites; ++i) {
      EXPECT_EQ(files->ReadString(section, u"K" + DecimalText(i), u"", 5, file), u"1") << i;
      if (i % 3 == 0) {
        EXPECT_EQ(files->ReadString(section, u"L" + DecimalText(i), u"", 5, file), u"2") << i;
      }
    }
}

}  // namespace
}  // namespace zr::test
