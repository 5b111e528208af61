// The start-up order against recording doubles: the window and device steps
// and the files read, in one log, as the utility takes them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/StartupSequence.h"
#include "macros/MacroFile.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/RecordingNotices.h"

namespace zr {
namespace {

using Log = std::vector<std::string>;

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::string FileName(std::u16string_view path) { return Narrow(path.substr(path.find_last_of(u'\\') + 1)); }

// Logs the first read of a file after reads of another one.
class LoggingProfiles final : public ProfileFiles {
 public:
  explicit LoggingProfiles(Log& log) : log_(log) {}
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                            std::size_t bufferSize, std::u16string_view path) override {
    if (path != lastPath_) {
      lastPath_ = std::u16string(path);
      log_.push_back("read " + FileName(path));
    }
    return memory.ReadString(section, key, fallback, bufferSize, path);
  }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    log_.push_back("write " + FileName(path));
    return memory.WriteString(section, key, value, path);
  }
  test::MemoryProfileFiles memory;

 private:
  Log& log_;
  std::u16string lastPath_;
};

class SomeFiles final : public FileQueries {
 public:
  bool Exists(std::u16string_view path) override { return present.count(std::u16string(path)) != 0; }
  std::set<std::u16string> present;
};

class RecordingSteps final : public StartupSteps {
 public:
  explicit RecordingSteps(Log& log) : log_(log) {}
  void ClearHandoverFlags() override { log_.push_back("clear handover"); }
  void StartDeviceThreads() override { log_.push_back("start threads"); }
  void AppendAboutItem() override { log_.push_back("about item"); }
  void SetBigIcon() override { log_.push_back("big icon"); }
  void SetWindowTitle(std::u16string_view title) override { log_.push_back("title " + Narrow(title)); }
  void CreateAdvancedControls() override { log_.push_back("advanced controls"); }
  void CreateFonts() override { log_.push_back("fonts"); }
  void ApplyWindowShape() override { log_.push_back("window shape"); }
  void LoadMenus(std::uint8_t languageFlag) override { log_.push_back("menus " + std::to_string(languageFlag)); }
  bool OpenDevice() override {
    log_.push_back("open device");
    return mousePresent;
  }
  void ShowNoMouseMessage(std::u16string_view text, std::u16string_view caption) override {
    log_.push_back("no-mouse message");
    messages.push_back({std::u16string(text), std::u16string(caption)});
  }
  void Pause(std::chrono::milliseconds duration) override {
    log_.push_back("pause " + std::to_string(duration.count()));
  }
  void Download() override { log_.push_back("download"); }
  void AddTrayIcon() override { log_.push_back("tray icon"); }
  void RunExitProcedure() override { log_.push_back("exit"); }

  bool mousePresent = true;
  std::vector<test::ShownMessage> messages;

 private:
  Log& log_;
};

constexpr std::u16string_view kDir = u"C:\\Tools\\Mouse";
constexpr std::u16string_view kAppName = u"ZR280S Gaming Mouse Driver";

struct Start {
  Start() {
    state.paths.applicationDirectory = std::u16string(kDir);
    for (auto file : {SkinLayoutFile::Main, SkinLayoutFile::Advanced, SkinLayoutFile::Color, SkinLayoutFile::Warning})
      for (std::uint8_t language : {0, 1}) files.present.insert(state.paths.SkinLayout(file, language));
    for (std::uint8_t language : {0, 1}) files.present.insert(state.paths.MacroFile(language));
    files.present.insert(state.paths.ConstantMacroFile());
  }
  void SetInit(std::u16string_view curConfig, std::u16string_view verSel) {
    profiles.memory.WriteString(u"Init", u"CurConfig", curConfig, state.paths.ConfigFile());
    profiles.memory.WriteString(u"Init", u"VER_SEL", verSel, state.paths.ConfigFile());
    files.present.insert(state.paths.ConfigFile());
  }
  StartupOutcome Run() {
    return RunStartupSequence(steps, {profiles, files, notices}, state, kAppName);
  }

  Log log;
  LoggingProfiles profiles{log};
  SomeFiles files;
  test::RecordingNotices notices;
  RecordingSteps steps{log};
  AppState state;
};

TEST(StartupSequence, WithTheMouseEveryStepRunsInOrderUpToTheTrayIcon) {
  Start start;
  start.SetInit(u"3", u"1");
  const std::u16string macroFile = start.state.paths.MacroFile(1);
  MacroRecord macro;
  macro.eventCount = 3;
  start.profiles.memory.WriteString(kMacroSection, kMacroCountKey, u"2", macroFile);
  start.profiles.memory.WriteString(kMacroSection, u"1", MacroRecordString(macro), macroFile);
  start.profiles.memory.WriteString(u"Config3", u"K0", u"41", start.state.paths.ConfigFile());
  start.profiles.memory.WriteString(u"Config3", u"K1", u"1", start.state.paths.ConfigFile());

  EXPECT_EQ(start.Run(), StartupOutcome::Running);
  const Log expected = {
      "clear handover", "start threads", "about item", "big icon",
      "read config.ini", "title ZR305 Gaming Mouse Driver",
      "read skin_main_en.ini", "read skin_color_en.ini", "read skin_advance_en.ini",
      "advanced controls", "read LBWarning_en.ini",
      "fonts", "window shape",
      "read Macro_EN.dat", "read constMacro.dat",
      "menus 1", "open device", "pause 5", "download", "tray icon",
  };
  EXPECT_EQ(start.log, expected);
  EXPECT_TRUE(start.notices.messages.empty());
  EXPECT_TRUE(start.steps.messages.empty());
  EXPECT_EQ(start.state.currentConfig, 3);
  EXPECT_EQ(start.state.languageFlag, 1);
  EXPECT_EQ(start.state.config.K[0], 41);
  // The editor starts on the first row of the current (last) macro's last event.
  EXPECT_EQ(start.state.macros.currentMacro, 1);
  EXPECT_EQ(start.state.editor.selectedRow, 4);
}

TEST(StartupSequence, WithoutTheMouseOneMessageThenTheExitAndNoDownloadOrIcon) {
  Start start;  // no config.ini at all: configuration 1, in Chinese
  start.state.ui.popupOpen = true;
  start.steps.mousePresent = false;

  EXPECT_EQ(start.Run(), StartupOutcome::NoMouse);
  ASSERT_GE(start.log.size(), 3u);
  const Log tail(start.log.end() - 3, start.log.end());
  EXPECT_EQ(tail, (Log{"open device", "no-mouse message", "exit"}));
  EXPECT_EQ(std::count(start.log.begin(), start.log.end(), "read skin_main.ini"), 1);
  EXPECT_EQ(std::count(start.log.begin(), start.log.end(), "read Macro_CN.dat"), 1);
  ASSERT_EQ(start.steps.messages.size(), 1u);
  EXPECT_EQ(start.steps.messages[0].text, u"请插入【ZR305】USB鼠标");
  EXPECT_EQ(start.steps.messages[0].caption, kAppName);
  EXPECT_EQ(start.state.currentConfig, 1);
  EXPECT_EQ(start.state.languageFlag, 0);
  EXPECT_FALSE(start.state.ui.popupOpen);
  EXPECT_EQ(start.state.editor.selectedRow, 0);  // no macros: row 0
}

TEST(StartupSequence, AMissingLayoutFileIsReportedOnceAndEndsTheStartThere) {
  for (SkinLayoutFile missing : {SkinLayoutFile::Main, SkinLayoutFile::Color, SkinLayoutFile::Warning}) {
    Start start;
    start.SetInit(u"1", u"0");
    start.files.present.erase(start.state.paths.SkinLayout(missing, 0));

    EXPECT_EQ(start.Run(), StartupOutcome::MissingLayout);
    EXPECT_EQ(start.notices.messages, (std::vector<test::ShownMessage>{{std::u16string(kMissingFileMessage), u""}}));
    EXPECT_EQ(std::count(start.log.begin(), start.log.end(), "exit"), 1);
    EXPECT_EQ(start.log.back(), "exit");
    EXPECT_EQ(std::count(start.log.begin(), start.log.end(), "open device"), 0);
    EXPECT_EQ(std::count(start.log.begin(), start.log.end(), "fonts"), 0);
    // Only the warning layout comes after the advanced-page controls.
    EXPECT_EQ(std::count(start.log.begin(), start.log.end(), "advanced controls"),
              missing == SkinLayoutFile::Warning ? 1 : 0);
  }
}

TEST(StartupSequence, CurConfigIsReadThroughAFiveCharacterBufferAndOutsideOneToFiveIsOne) {
  for (auto [text, number] : {std::pair{u"00035", 3}, std::pair{u"12345", 1}, std::pair{u"0", 1}, std::pair{u"-2", 1}}) {
    Start start;
    start.SetInit(text, u"0");
    EXPECT_EQ(start.Run(), StartupOutcome::Running);
    EXPECT_EQ(start.state.currentConfig, number);
  }
}

TEST(StartupSequence, MissingMacroFilesAreReportedButTheStartGoesOn) {
  Start start;
  start.SetInit(u"1", u"1");
  start.files.present.erase(start.state.paths.MacroFile(1));
  start.files.present.erase(start.state.paths.ConstantMacroFile());
  EXPECT_EQ(start.Run(), StartupOutcome::Running);
  EXPECT_EQ(start.notices.messages.size(), 2u);
  EXPECT_EQ(start.log.back(), "tray icon");
}

TEST(StartupText, NoMouseMessageInBothLanguagesAndTheApplicationNameFromTheModulePath) {
  EXPECT_EQ(NoMouseMessage(1), u"Please plug-in\u3010ZR305\u3011USB Mouse");
  EXPECT_EQ(NoMouseMessage(7), NoMouseMessage(1));  // any nonzero flag is English
  EXPECT_EQ(NoMouseMessage(0), u"请插入\u3010ZR305\u3011USB鼠标");

  EXPECT_EQ(ApplicationName(u"C:\\Program Files\\ZR280S Gaming Mouse Driver.exe"), u"ZR280S Gaming Mouse Driver");
  EXPECT_EQ(ApplicationName(u"D:\\v1.2\\m"), u"m");  // a dot in the folder is not the extension
  EXPECT_EQ(ApplicationName(u"D:\\m.tar.exe"), u"m.tar");
  EXPECT_EQ(ApplicationName(u"m.exe"), u"m");
}

}  // namespace
}  // namespace zr
