// Every user action hands each file its new content once: one replacement of
// config.ini per save, download, hide, reset and worker key, one of the macro
// file per commit. Thirty-odd rewrites of config.ini per download were thirty
// chances for a crash to leave it cut short.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "app/MainWindowInput.h"
#include "config/ConfigStore.h"
#include "macros/MacroFile.h"
#include "macros/MacroReset.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/MouseRig.h"
#include "shared/RecordingNotices.h"

namespace zr::test {
namespace {

// Counts the writes each file gets: a batch counts once, a single key once.
class CountingProfiles final : public ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                            std::size_t bufferSize, std::u16string_view path) override {
    return memory.ReadString(section, key, fallback, bufferSize, path);
  }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    ++writes[std::u16string(path)];
    return memory.WriteString(section, key, value, path);
  }
  bool WriteStrings(std::span<const ProfileWrite> batch, std::u16string_view path) override {
    ++writes[std::u16string(path)];
    return memory.ProfileFiles::WriteStrings(batch, path);
  }
  MemoryProfileFiles memory;
  std::map<std::u16string, int> writes;
};

class AlwaysThere final : public FileQueries {
 public:
  bool Exists(std::u16string_view) override { return true; }
};

struct ActionRow {
  const char* name;
  std::function<void(CountingProfiles&, MouseRig&)> act;
  std::map<std::u16string, int> expected;
};

void PrintTo(const ActionRow& row, std::ostream* out) { *out << row.name; }

const std::u16string kConfig = u"config.ini";
const std::u16string kMacros = u"Macro_EN.dat";

void FactoryResetAction(CountingProfiles& files, MouseRig& rig) {
  FactoryReset(files, kConfig, 3, 1, rig.record);
  AlwaysThere present;
  RecordingNotices notices;
  MacroFileServices services{files, present, notices};
  MacroTables tables;
  ResetMacros(services, MacroPaths{kMacros, u"Macro_CN.dat", u"defEN.dat", u"defCN.dat"}, 1, tables, nullptr);
}

const ActionRow kActions[] = {
    {"Save", [](CountingProfiles& f, MouseRig& r) { SaveConfiguration(f, kConfig, 2, r.record); }, {{kConfig, 1}}},
    {"Download", [](CountingProfiles& f, MouseRig& r) { Download(r.Services(f), r.record, 2, kConfig); }, {{kConfig, 1}}},
    {"Hide", [](CountingProfiles& f, MouseRig& r) { RunHideCommand(f, kConfig, 1, r.record); }, {{kConfig, 1}}},
    {"FactoryResetBeforeItsDownload", FactoryResetAction, {{kConfig, 1}, {kMacros, 1}}},
    {"WorkerDpiLevel", [](CountingProfiles& f, MouseRig& r) { SaveCurrentDpiLevel(f, kConfig, 2, r.record); }, {{kConfig, 1}}},
    {"WorkerReportRate", [](CountingProfiles& f, MouseRig& r) { SaveReportRateStep(f, kConfig, 2, r.record); }, {{kConfig, 1}}},
    {"MacroCommit",
     [](CountingProfiles& f, MouseRig&) {
       MacroTables tables;
       tables.macroCount = 12;
       SaveMacroFile(f, kMacros, tables);
     },
     {{kMacros, 1}}},
};

class OneWritePerAction : public ::testing::TestWithParam<ActionRow> {};

TEST_P(OneWritePerAction, EachFileIsWrittenOnce) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  SetFactoryDefaults(rig.record);
  rig.record.FIRE_TIME = 77;
  CountingProfiles files;
  GetParam().act(files, rig);
  EXPECT_EQ(files.writes, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Actions, OneWritePerAction, ::testing::ValuesIn(kActions),
                         [](const ::testing::TestParamInfo<ActionRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zr::test
