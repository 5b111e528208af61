// Profile-file scenarios that the portable engine and the system's own
// profile functions must agree on: every read's result and every written byte.
// Each runs against the utility's files and against the key-by-key reference
// (under Wine, the system's own functions for writes too).
#include <gtest/gtest.h>

#include "shared/ProfileUnderTest.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

class ProfileScenario : public ::testing::TestWithParam<bool> {
 protected:
  std::u16string Read(std::u16string_view section, std::u16string_view key, std::size_t size = 64,
                      std::u16string_view fallback = u"") {
    return files->ReadString(section, key, fallback, size, file);
  }
  bool Write(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    return files->WriteString(section, key, value, file);
  }
  std::string Bytes() const { return ReadBytes(file); }
  void Given(std::string_view bytes) { WriteBytes(file, bytes); }

  bool Reference() const { return GetParam(); }
  std::unique_ptr<ProfileFiles> files = Reference() ? MakeReferenceProfileFiles() : MakeProfileFilesUnderTest();
  TestFolder folder;
  std::u16string file = folder.Path(u"profile.ini");
};

TEST_P(ProfileScenario, MissingFileReadsAsDefaultAndFirstWriteCreatesIt) {
  EXPECT_EQ(Read(u"Init", u"CurConfig"), u"");
  EXPECT_EQ(Read(u"Init", u"CurConfig", 64, u"fallback  "), u"fallback");  // trailing blanks of a default go
  EXPECT_FALSE(Exists(file));

  EXPECT_TRUE(Write(u"Init", u"CurConfig", u"1"));
  EXPECT_EQ(Bytes(), "[Init]\r\nCurConfig=1\r\n");
  EXPECT_TRUE(Write(u"Init", u"VER_SEL", u"0"));
  EXPECT_TRUE(Write(u"Config1", u"K0", u"1"));
  EXPECT_TRUE(Write(u"Init", u"CurConfig", u"3"));  // replaced in place
  EXPECT_EQ(Bytes(), "[Init]\r\nCurConfig=3\r\nVER_SEL=0\r\n[Config1]\r\nK0=1\r\n");
  EXPECT_EQ(Read(u"Init", u"CurConfig"), u"3");
}

TEST_P(ProfileScenario, ReadsReturnAtMostBufferSizeMinusOneCharacters) {
  Given("[S]\r\nlong=123456789\r\nshort=7\r\n");
  EXPECT_EQ(Read(u"S", u"long", 5), u"1234");
  EXPECT_EQ(Read(u"S", u"long", 10), u"123456789");
  EXPECT_EQ(Read(u"S", u"long", 2), u"1");
  EXPECT_EQ(Read(u"S", u"long", 1), u"");
  EXPECT_EQ(Read(u"S", u"short", 5), u"7");
  EXPECT_EQ(Read(u"S", u"absent", 3, u"abcdef"), u"ab");  // the default is cut the same way
}

TEST_P(ProfileScenario, SectionsAndKeysMatchWithoutCaseAndTheFirstMatchWins) {
  Given("[config1]\r\nk0=1\r\nK0=2\r\n[CONFIG1]\r\nk0=3\r\nK1=4\r\n");
  EXPECT_EQ(Read(u"Config1", u"K0"), u"1");
  EXPECT_EQ(Read(u"cOnFiG1", u"k0"), u"1");
  EXPECT_EQ(Read(u"Config1", u"K1"), u"");  // only the first section of that name is looked at

  EXPECT_TRUE(Write(u"CONFIG1", u"K0", u"9"));
  EXPECT_TRUE(Write(u"Config1", u"K1", u"5"));
  EXPECT_EQ(Bytes(), "[config1]\r\nk0=9\r\nK0=2\r\nK1=5\r\n[CONFIG1]\r\nk0=3\r\nK1=4\r\n");
}

TEST_P(ProfileScenario, BlanksAroundNamesAndValuesAreTrimmed) {
  Given("  [Sec]  \r\n   key   =   value with  inner  blanks   \r\n\tTab\t=\t7\t\r\nempty=\r\n");
  EXPECT_EQ(Read(u"Sec", u"key"), u"value with  inner  blanks");
  EXPECT_EQ(Read(u"  Sec  ", u"  key  "), u"value with  inner  blanks");
  EXPECT_EQ(Read(u"Sec", u"Tab"), u"7");
  EXPECT_EQ(Read(u"Sec", u"empty", 64, u"dflt"), u"");  // present but empty is not absent

  EXPECT_TRUE(Write(u"Sec", u"key", u"   new"));  // leading blanks of a written value go
  EXPECT_EQ(Read(u"Sec", u"key"), u"new");
  EXPECT_EQ(Bytes(), "[Sec]\r\nkey=new\r\nTab=7\r\nempty=\r\n");
}

TEST_P(ProfileScenario, OnePairOfMatchingQuotesIsRemoved) {
  Given(
      "[Q]\r\ndouble=\"quoted value\"\r\nsingle='single'\r\nmixed=\"mixed'\r\nlone=\"\r\nnested=\"\"inner\"\"\r\n"
      "inside=a\"b\"\r\ncut=\"abcdef\"\r\n");
  EXPECT_EQ(Read(u"Q", u"double"), u"quoted value");
  EXPECT_EQ(Read(u"Q", u"single"), u"single");
  EXPECT_EQ(Read(u"Q", u"mixed"), u"\"mixed'");
  EXPECT_EQ(Read(u"Q", u"lone"), u"\"");
  EXPECT_EQ(Read(u"Q", u"nested"), u"\"inner\"");
  EXPECT_EQ(Read(u"Q", u"inside"), u"a\"b\"");
  EXPECT_EQ(Read(u"Q", u"cut", 8), u"abcdef");
  EXPECT_EQ(Read(u"Q", u"cut", 7), u"abcde");
  EXPECT_EQ(Read(u"Q", u"cut", 4), u"abc");
}

TEST_P(ProfileScenario, CommentsBlankLinesAndOddLinesSurviveARewrite) {
  Given(
      "; leading comment\r\norphan=1\r\n\r\n[S]\r\n;comment=x\r\n\r\n\r\nflag\r\nk=v\r\n[broken\r\nafter=2\r\n"
      "\r\n[T]\r\nt=1\r\n");
  EXPECT_EQ(Read(u"S", u"comment"), u"");
  EXPECT_EQ(Read(u"S", u"flag", 64, u"dflt"), u"dflt");  // a line without '=' has no value
  EXPECT_EQ(Read(u"S", u"k"), u"v");
  EXPECT_EQ(Read(u"S", u"after"), u"2");  // a header without ']' is an ordinary line
  EXPECT_EQ(Read(u"", u"orphan"), u"1");  // lines before the first header form a nameless section

  EXPECT_TRUE(Write(u"S", u"flag", u"on"));
  EXPECT_TRUE(Write(u"T", u"u", u"2"));
  EXPECT_EQ(Read(u"S", u"flag"), u"on");
  const std::string expected =
      "; leading comment\r\norphan=1\r\n[S]\r\n;comment=x\r\nflag=on\r\nk=v\r\n[broken\r\nafter=2\r\n[T]\r\nt=1\r\nu=2\r\n";
  EXPECT_EQ(Bytes(), expected);
}

TEST_P(ProfileScenario, LineEndsOtherThanCrlfAreReadAndRewrittenAsCrlf) {
  Given("[S]\na=1\nb=2\n\n[T]\rc=3\r\nd=4");
  EXPECT_EQ(Read(u"S", u"a"), u"1");
  EXPECT_EQ(Read(u"S", u"b"), u"2");
  EXPECT_EQ(Read(u"T", u"d"), u"4");  // the last line needs no line end

  EXPECT_TRUE(Write(u"S", u"b", u"2"));  // the same value again leaves the file alone
  EXPECT_EQ(Bytes(), "[S]\na=1\nb=2\n\n[T]\rc=3\r\nd=4");
  EXPECT_TRUE(Write(u"S", u"a", u"5"));
  EXPECT_EQ(Bytes(), "[S]\r\na=5\r\nb=2\r\n[T]\r\nc=3\r\nd=4\r\n");
}

TEST_P(ProfileScenario, Utf16FilesAreReadAndKeptAsUtf16) {
  Given(Utf16LeBytes(u"[语言]\r\n名称=中文 Ab\r\n[Init]\r\nVER_SEL=0\r\n"));
  EXPECT_EQ(Read(u"语言", u"名称"), u"中文 Ab");
  EXPECT_EQ(Read(u"init", u"ver_sel"), u"0");

  EXPECT_TRUE(Write(u"Init", u"VER_SEL", u"1"));
  EXPECT_TRUE(Write(u"新", u"键", u"值"));
  EXPECT_EQ(Bytes(), Utf16LeBytes(u"[语言]\r\n名称=中文 Ab\r\n[Init]\r\nVER_SEL=1\r\n[新]\r\n键=值\r\n"));
}

TEST_P(ProfileScenario, Utf8FilesWithAByteOrderMarkKeepIt) {
  Given("\xEF\xBB\xBF[S]\r\nname=caf\xC3\xA9\r\n");
  EXPECT_EQ(Read(u"S", u"name"), u"caf\u00e9");
  EXPECT_TRUE(Write(u"S", u"k", u"1"));
  EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[S]\r\nname=caf\xC3\xA9\r\nk=1\r\n");
}

TEST_P(ProfileScenario, AnAnsiFileThatIsNotUtf8KeepsItsBytesThroughARewrite) {
  Given("[S]\r\nname=caf\xE9 cr\xE8me\r\n[\xC4rger]\r\nk=1\r\n");
  EXPECT_EQ(Read(u"S", u"name").size(), 10u);  // one character per byte
  EXPECT_TRUE(Write(u"S", u"k", u"2"));
  EXPECT_EQ(Bytes(), "[S]\r\nname=caf\xE9 cr\xE8me\r\nk=2\r\n[\xC4rger]\r\nk=1\r\n");
}

TEST_P(ProfileScenario, EmptyAndGarbageFilesReadAsEmpty) {
  Given("");
  EXPECT_EQ(Read(u"S", u"k", 64, u"d"), u"d");
  EXPECT_TRUE(Write(u"S", u"k", u"1"));
  EXPECT_EQ(Bytes(), "[S]\r\nk=1\r\n");

  Given(std::string("\x01\x02\x7f\x00\x05[\x1b", 7));
  EXPECT_EQ(Read(u"S", u"k"), u"");
  Given("[S]\r\nk=12");  // cut off in the middle of a line
  EXPECT_EQ(Read(u"S", u"k"), u"12");
}

TEST_P(ProfileScenario, BlanksInsideHeadersAndAroundWrittenNamesGo) {
  Given("[ Spaced ]\r\nname = 1\r\n=nameless\r\n=second\r\n[]\r\nin-empty=2\r\n");
  EXPECT_EQ(Read(u"Spaced", u"name"), u"1");
  EXPECT_EQ(Read(u" Spaced ", u"name"), u"1");
  EXPECT_EQ(Read(u"", u"in-empty"), u"");  // the nameless leading part comes first and lacks the key

  EXPECT_TRUE(Write(u"  New  ", u"  key  ", u"value  "));
  EXPECT_EQ(Read(u"New", u"key"), u"value");
  EXPECT_TRUE(Write(u"New", u"empty", u""));
  EXPECT_EQ(Read(u"New", u"empty", 64, u"d"), u"");
  // "[]" names nothing, so it writes no header; repeated nameless lines collapse into one.
  EXPECT_EQ(Bytes(), "[Spaced]\r\nname=1\r\n=nameless\r\nin-empty=2\r\n[New]\r\nkey=value\r\nempty=\r\n");
}

TEST_P(ProfileScenario, AnOddTrailingByteOfAUtf16FileStillCounts) {
  Given(Utf16LeBytes(u"[S]\r\nk=12\r\n") + "\x41");
  EXPECT_EQ(Read(u"S", u"k"), u"12");
  EXPECT_EQ(Read(u"S", u"A", 64, u"d"), u"d");
  EXPECT_TRUE(Write(u"S", u"k", u"3"));
  // Only the low byte of that last character is the file's: Wine pairs it
  // with whatever memory follows the file's bytes, so the high byte varies
  // from run to run there.
  std::string written = Bytes();
  const std::string expected = Utf16LeBytes(u"[S]\r\nk=3\r\nA\r\n");
  ASSERT_EQ(written.size(), expected.size());
  written[expected.size() - 5] = '\0';
  EXPECT_EQ(written, expected);
}

TEST_P(ProfileScenario, AReadOnlyFileIsLeftUnchangedAndTheWriteFails) {
  Given("[S]\r\nk=1\r\n");
  MakeReadOnly(file);
  if (!(Reference() ? ReferenceEnforcesReadOnlyFiles(file) : ReadOnlyFilesAreEnforced(file))) GTEST_SKIP() << "this user may write read-only files here";
  EXPECT_FALSE(Write(u"S", u"k", u"2"));
  EXPECT_FALSE(Write(u"New", u"x", u"3"));
  MakeWritable(file);
  EXPECT_EQ(Bytes(), "[S]\r\nk=1\r\n");
}

TEST_P(ProfileScenario, AMissingFolderFailsTheWriteAndCreatesNothing) {
  const std::u16string inMissingFolder = folder.Path(u"missing\\profile.ini");
  EXPECT_FALSE(files->WriteString(u"S", u"k", u"1", inMissingFolder));
  EXPECT_FALSE(Exists(inMissingFolder));
  EXPECT_EQ(files->ReadString(u"S", u"k", u"", 64, inMissingFolder), u"");
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileScenario, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "KeyByKeyReference" : "Utility");
                         });

}  // namespace
}  // namespace zr::test
