// The existence test, against the portable implementation natively and the
// system's own under Wine.
#include <gtest/gtest.h>

#include "shared/PlatformUnderTest.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

TEST(FileQueries, AnythingAtThePathExists) {
  TestFolder folder;
  const auto queries = MakeFileQueriesUnderTest();
  const std::u16string file = folder.Path(u"present.dat");
  WriteBytes(file, "");
  EXPECT_TRUE(queries->Exists(file));  // an empty file is still there
  EXPECT_TRUE(queries->Exists(folder.Directory()));
  EXPECT_FALSE(queries->Exists(folder.Path(u"absent.dat")));
  EXPECT_FALSE(queries->Exists(folder.Path(u"absent\\present.dat")));
}

}  // namespace
}  // namespace zr::test
