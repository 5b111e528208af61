// Foreground sequences and the downloads they cause: the rule that makes the
// mouse follow the program in front, with a fake clock driving the settle
// time and config.ini kept in memory.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/ProfileFollower.h"
#include "app/ProfileMenu.h"
#include "config/ConfigStore.h"
#include "platform/Text.h"
#include "shared/MemoryProfileFiles.h"

namespace zr {
namespace {

constexpr std::u16string_view kConfigFile = u"C:\\zr\\config.ini";

// One clock for the events and the timer: the timer expires when the clock
// passes its deadline.
class FakeTime final : public OneShotTimer, public TickClock {
 public:
  void Start(std::chrono::milliseconds delay) override {
    deadline = now + static_cast<std::uint32_t>(delay.count());
    ++starts;
  }
  void Stop() override { deadline.reset(); }
  std::uint32_t NowMs() override { return now; }

  void Advance(std::uint32_t ms, ProfileFollower& follower) {
    for (std::uint32_t i = 0; i < ms; ++i) {
      ++now;
      if (deadline && now - *deadline < 0x80000000u) {
        deadline.reset();
        follower.TimerElapsed();
      }
    }
  }

  std::uint32_t now = 0xFFFFFF00u;  // the tick count wraps during the tests
  std::optional<std::uint32_t> deadline;
  int starts = 0;
};

struct Downloaded {
  std::int32_t configuration;
  std::int32_t fireTime;  // tells the configurations' records apart
  bool operator==(const Downloaded&) const = default;
};

class Follower : public ::testing::Test {
 protected:
  Follower() {
    for (std::int32_t n = 1; n <= 5; ++n) {
      ConfigRecord stored;
      SetFactoryDefaults(stored);
      stored.FIRE_TIME = 10 * n;
      SaveConfiguration(files, kConfigFile, n, stored);
    }
  }

  void Bind(std::u16string_view line, std::size_t index) {
    files.WriteString(u"AppProfiles", u"App" + DecimalText(static_cast<std::int64_t>(index)), line, kConfigFile);
    files.WriteString(u"AppProfiles", u"Count", DecimalText(static_cast<std::int64_t>(index + 1)), kConfigFile);
  }

  // The person's configuration as the start-up download left it.
  void StartWith(std::int32_t current, ForegroundProgram front = {true, {}}) {
    currentConfig = current;
    LoadConfiguration(files, kConfigFile, current, false, 1, record);
    follower.Start(front);
  }

  void Front(std::u16string_view executable) { follower.ForegroundChanged({false, std::u16string(executable)}, time.now); }
  void OwnWindow() { follower.ForegroundChanged({true, u"C:\\zr\\ZR305.exe"}, time.now); }
  void Wait(std::uint32_t ms) { time.Advance(ms, follower); }

  std::u16string ReturnKey() { return files.ReadString(u"AppProfiles", u"Return", u"(none)", 16, kConfigFile); }

  test::MemoryProfileFiles files;
  ConfigRecord record;
  std::atomic<std::int32_t> currentConfig{0};
  std::uint8_t language = 1;
  std::vector<Downloaded> downloads;
  std::vector<std::pair<std::int32_t, std::u16string>> announced;
  FakeTime time;
  ProfileFollower follower{ProfileFollowerContext{files, std::u16string(kConfigFile), record, currentConfig, language,
                                                  [this] { downloads.push_back({currentConfig, record.FIRE_TIME}); }},
                           time, time};
};

TEST_F(Follower, ForegroundSequencesGiveTheirDownloads) {
  enum class Op { Front, Own, Wait };
  struct Step {
    Op op;
    std::u16string_view program = {};
    std::uint32_t ms = 0;
  };
  struct Row {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::int32_t> downloads;
  };
  const auto front = [](std::u16string_view p) { return Step{Op::Front, p}; };
  const auto wait = [](std::uint32_t ms) { return Step{Op::Wait, {}, ms}; };
  const Step own{Op::Own};
  const Row rows[] = {
      {"bound, then back", {front(u"C:\\Games\\Game.EXE"), wait(250), front(u"C:\\Windows\\explorer.exe"), wait(250)}, {3, 2}},
      {"unbound", {front(u"C:\\Windows\\notepad.exe"), wait(1000)}, {}},
      {"bound to the configuration in the mouse", {front(u"C:\\Tools\\desk.exe"), wait(1000)}, {}},
      {"same configuration twice", {front(u"game.exe"), wait(300), front(u"arena.exe"), wait(300)}, {3}},
      {"not before the settle time", {front(u"game.exe"), wait(249)}, {}},
      {"the utility's own window", {front(u"game.exe"), wait(250), own, wait(500), front(u"game.exe"), wait(500)}, {3}},
      {"own window over an unbound program", {front(u"notepad.exe"), wait(250), own, wait(500)}, {}},
      {"own window last wins", {front(u"game.exe"), wait(100), own, wait(500)}, {}},
      {"rapid changes, the last wins",
       {front(u"game.exe"), wait(100), front(u"race.exe"), wait(100), front(u"notepad.exe"), wait(100),
        front(u"race.exe"), wait(249)},
       {}},
      {"rapid changes settle once",
       {front(u"game.exe"), wait(100), front(u"race.exe"), wait(100), front(u"notepad.exe"), wait(100),
        front(u"race.exe"), wait(250)},
       {4}},
      {"alt-tab back to where it was", {front(u"game.exe"), wait(120), front(u"notepad.exe"), wait(250)}, {}},
      {"bound to a configuration config.ini lacks", {front(u"ghost.exe"), wait(500)}, {}},
      {"malformed lines bind nothing", {front(u"broken.exe"), wait(300), front(u"nine.exe"), wait(300)}, {}},
      {"the 33rd binding is not read", {front(u"p31.exe"), wait(300), front(u"p32.exe"), wait(300)}, {5, 2}},
      {"an executable that cannot be asked", {front(u"game.exe"), wait(300), front(u""), wait(300)}, {3, 2}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    test::MemoryProfileFiles fresh;
    files = fresh;
    for (std::int32_t n : {1, 2, 3, 4, 5}) {
      ConfigRecord stored;
      SetFactoryDefaults(stored);
      stored.FIRE_TIME = 10 * n;
      if (n != 1) SaveConfiguration(files, kConfigFile, n, stored);  // configuration 1 is missing
    }
    const std::u16string_view lines[] = {u"game.exe|3", u"arena.exe|3", u"race.exe|4", u"desk.exe|2",
                                         u"ghost.exe|1", u"broken.exe", u"nine.exe|9"};
    std::size_t index = 0;
    for (std::u16string_view line : lines) Bind(line, index++);
    while (index < 31) Bind(u"p" + DecimalText(static_cast<std::int64_t>(index)) + u".exe|1", index), ++index;
    Bind(u"p31.exe|5", 31);
    Bind(u"p32.exe|3", 32);
    downloads.clear();
    StartWith(2);
    for (const Step& step : row.steps) {
      if (step.op == Op::Front) Front(step.program);
      if (step.op == Op::Own) OwnWindow();
      if (step.op == Op::Wait) Wait(step.ms);
    }
    std::vector<std::int32_t> numbers;
    for (const Downloaded& d : downloads) {
      numbers.push_back(d.configuration);
      EXPECT_EQ(d.fireTime, 10 * d.configuration) << "the record downloaded is not the configuration's";
    }
    EXPECT_EQ(numbers, row.downloads);
  }
}

TEST_F(Follower, ASwitchDoesWhatProfileAndApplyDoAndKeepsTheWayBack) {
  Bind(u"game.exe|4", 0);
  // No left click and level 0 off: the load repairs it.
  files.WriteString(u"Config4", u"K0", u"0", kConfigFile);
  files.WriteString(u"Config4", u"DPI_SET_EN0", u"0", kConfigFile);
  StartWith(1);
  follower.SetAnnouncer([this](std::int32_t n, std::u16string_view program) { announced.emplace_back(n, program); });
  EXPECT_EQ(time.starts, 0) << "nothing in front changed, yet a timer runs";
  EXPECT_EQ(ReturnKey(), u"(none)");

  Front(u"D:\\Games\\GAME.exe");
  Wait(250);
  ASSERT_EQ(downloads, (std::vector<Downloaded>{{4, 40}}));
  EXPECT_EQ(currentConfig.load(), 4);
  bool leftClick = false;
  for (const auto& k : record.K) leftClick = leftClick || k == 1;
  EXPECT_TRUE(leftClick) << "the switch's load skipped the repair";
  EXPECT_EQ(ReturnKey(), u"1");
  EXPECT_TRUE(follower.BindingInForce());
  EXPECT_EQ(announced, (std::vector<std::pair<std::int32_t, std::u16string>>{{4, u"GAME.exe"}}));

  Front(u"C:\\Windows\\explorer.exe");
  Wait(250);
  EXPECT_EQ(downloads.back(), (Downloaded{1, 10}));
  EXPECT_EQ(currentConfig.load(), 1);
  EXPECT_EQ(ReturnKey(), u"");
  EXPECT_EQ(announced.back(), (std::pair<std::int32_t, std::u16string>{1, u"explorer.exe"}));
}

TEST_F(Follower, ThePersonsChoiceIsWhatItReturnsTo) {
  Bind(u"game.exe|3", 0);
  StartWith(1);
  Front(u"game.exe");
  Wait(250);
  ASSERT_EQ(currentConfig.load(), 3);

  // Edits to the game's configuration applied over the game keep the way back.
  follower.Applied();
  EXPECT_EQ(ReturnKey(), u"1");
  Front(u"notepad.exe");
  Wait(250);
  EXPECT_EQ(downloads.back().configuration, 1);

  // Profile 2 and Apply while the game is in front: 2 is the person's now.
  Front(u"game.exe");
  Wait(250);
  follower.ConfigurationChosen();
  currentConfig = 2;
  follower.Applied();
  EXPECT_EQ(ReturnKey(), u"");
  EXPECT_FALSE(follower.BindingInForce());
  Front(u"notepad.exe");
  Wait(250);
  EXPECT_EQ(downloads.size(), 3u) << "the configuration already in the mouse was sent again";
  Front(u"game.exe");
  Wait(250);
  Front(u"notepad.exe");
  Wait(250);
  EXPECT_EQ(downloads.back().configuration, 2);

  // The factory reset makes the current configuration the person's too.
  Front(u"game.exe");
  Wait(250);
  follower.FactoryResetDone();
  EXPECT_EQ(follower.ReturnConfiguration(), 3);
  EXPECT_EQ(ReturnKey(), u"");
}

TEST_F(Follower, StartHonoursAReturnLeftByACrash) {
  Bind(u"game.exe|3", 0);
  files.WriteString(u"AppProfiles", u"Return", u"2", kConfigFile);
  StartWith(3);  // the crash left CurConfig=3
  EXPECT_EQ(downloads, (std::vector<Downloaded>{{2, 20}}));
  EXPECT_EQ(ReturnKey(), u"");

  downloads.clear();
  files.WriteString(u"AppProfiles", u"Return", u"2", kConfigFile);
  StartWith(3, {false, u"C:\\Games\\game.exe"});  // the game is still in front
  EXPECT_TRUE(downloads.empty());
  EXPECT_EQ(ReturnKey(), u"2");
  Front(u"explorer.exe");
  Wait(250);
  EXPECT_EQ(downloads, (std::vector<Downloaded>{{2, 20}}));

  // A Return naming a configuration that is not there is no way back.
  downloads.clear();
  files.WriteString(u"AppProfiles", u"Return", u"9", kConfigFile);
  StartWith(3);
  EXPECT_TRUE(downloads.empty());
  EXPECT_EQ(follower.ReturnConfiguration(), 3);
}

TEST_F(Follower, StartAppliesTheRuleToTheProgramInFront) {
  Bind(u"game.exe|5", 0);
  StartWith(1, {false, u"C:\\Games\\game.exe"});
  EXPECT_EQ(downloads, (std::vector<Downloaded>{{5, 50}}));
  EXPECT_EQ(ReturnKey(), u"1");
}

TEST_F(Follower, AnEventReportedLateSettlesFromWhenItHappened) {
  Bind(u"game.exe|3", 0);
  StartWith(1);
  follower.ForegroundChanged({false, u"game.exe"}, time.now - 200);
  Wait(49);
  EXPECT_TRUE(downloads.empty());
  Wait(1);
  EXPECT_EQ(downloads.size(), 1u);
  follower.ForegroundChanged({false, u"notepad.exe"}, time.now - 5000);
  Wait(0);
  follower.TimerElapsed();  // a timer of no delay expires at once
  EXPECT_EQ(downloads.back().configuration, 1);

  // A stamp ahead of the clock (another time base) settles from now, not never.
  follower.ForegroundChanged({false, u"game.exe"}, time.now + 0x40000000u);
  Wait(249);
  EXPECT_EQ(downloads.size(), 2u);
  Wait(1);
  EXPECT_EQ(downloads.size(), 3u);
}

TEST_F(Follower, MenuEditsWriteTheSection) {
  Bind(u"game.exe|3", 0);
  StartWith(1);
  EXPECT_EQ(follower.Bind(u"C:\\Tools\\Race.exe", 3), AppBindings::BindResult::Added);
  EXPECT_EQ(files.ReadString(u"AppProfiles", u"App1", u"", 300, kConfigFile), u"Race.exe|3");
  EXPECT_EQ(files.ReadString(u"AppProfiles", u"Count", u"", 5, kConfigFile), u"2");

  const std::vector<ProfileMenuItem> items = ProfileMenuItems(follower.Bindings(), 3, 1);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].command, kProfileMenuUseForProgram);
  EXPECT_EQ(items[1].command, 0u);
  EXPECT_EQ(items[3].text, u"Remove Race.exe");
  const ProfileMenuChoice choice = DecodeProfileMenuCommand(follower.Bindings(), 3, items[3].command);
  ASSERT_EQ(choice.kind, ProfileMenuChoice::Kind::Remove);
  EXPECT_TRUE(follower.Unbind(choice.program));
  EXPECT_EQ(files.ReadString(u"AppProfiles", u"Count", u"", 5, kConfigFile), u"1");
  EXPECT_EQ(ProfileMenuItems(follower.Bindings(), 2, 0),
            (std::vector<ProfileMenuItem>{{u"用于程序\u2026", kProfileMenuUseForProgram}}));
  EXPECT_EQ(DecodeProfileMenuCommand(follower.Bindings(), 3, kProfileMenuFirstProgram + 1).kind,
            ProfileMenuChoice::Kind::Nothing);
  EXPECT_EQ(DecodeProfileMenuCommand(follower.Bindings(), 3, kProfileMenuUseForProgram).kind,
            ProfileMenuChoice::Kind::AskForProgram);
}

}  // namespace
}  // namespace zr
