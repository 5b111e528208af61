// A file written by the engine reads back as what was written, whatever
// the bytes it started from.
#include <gtest/gtest.h>

#include <string>

#include "platform/IniEngine.h"

namespace zr {
namespace {

struct RoundTripRow {
  const char* what;
  std::string bytes;
};

TEST(IniEngineRoundTrip, AWrittenValueReadsBackWhateverTheFileStartedAs) {
  const RoundTripRow rows[] = {
      {"plain", "[Init]\r\nCurConfig=1\r\n"},
      {"blank lines, then bytes like a UTF-16 mark", std::string("\n\n\xFF\xFE[Init]\r\nCurConfig=1\r\n")},
      {"blank lines, then bytes like a UTF-8 mark", std::string("\r\n\xEF\xBB\xBFx\r\n[Init]\r\n")},
      {"blank lines, then bytes like a big-endian mark", std::string("\n\xFE\xFF\r\n")},
      {"empty", ""},
  };
  for (const RoundTripRow& row : rows) {
    SCOPED_TRACE(row.what);
    IniDocument document = ParseIni(row.bytes);
    SetIniValue(document, u"Config6", u"K1", u"3");
    const std::string written = SerializeIni(document);
    const IniDocument again = ParseIni(written);
    EXPECT_EQ(again.encoding, document.encoding);
    EXPECT_EQ(ReadProfileEntry(&again, u"Config6", u"K1", u"none", 64), u"3");
    EXPECT_EQ(SerializeIni(again), written) << "a second write changed the file";
  }
}

}  // namespace
}  // namespace zr
