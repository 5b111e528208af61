// The reader and the worker on their threads, wired to the device link and
// the virtual mouse as the program wires them: a press on the mouse ends in
// reports the mouse receives.
#include <gtest/gtest.h>

#include <thread>

#include "config/ConfigStore.h"
#include "platform/Text.h"
#include "device/ButtonActionThreads.h"
#include "macros/MacroRecord.h"
#include "shared/Bounded.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/MouseRig.h"
#include "shared/WatchedReaderWaits.h"

namespace zr::test {
namespace {

class NoWaitTimer final : public StepTimer {
 public:
  void BeginPlayback() override {}
  bool Wait(std::uint32_t) override {
    ++waits;
    return true;
  }
  void Interrupt() override {}
  void Close() override {}
  std::atomic<int> waits{0};
};

class NoPrograms final : public ProgramStarter {
 public:
  void StartSystemProgram(std::u16string_view) override {}
};


class ButtonActionsThreadedOnMouse : public ::testing::Test {
 protected:
  ButtonActionsThreadedOnMouse() {
    SetFactoryDefaults(rig.record);
    rig.record.K[3] = 41;  // button code 4: user macro 1
    rig.record.K[4] = 28;  // button code 5: mute
    macros.macros[0].repeatMode = 1;
    macros.macros[0].repeatCount = 3;
    macros.macros[0].eventCount = 2;
    macros.macros[0].events[0] = {0x04, kKeyPress};
    macros.macros[0].events[1] = {0x04, kKeyRelease};
    macros.macroCount = 1;
    rig.link.SetInputChanged([this](bool present) { reader.InputChanged(present); });
  }
  void SetUp() override {
    ASSERT_TRUE(rig.link.OpenDevice());
    Download(rig.Services(files), rig.record, 1, u"config.ini");
    rig.mouse.ClearLog();
    threads.Start();
  }
  ~ButtonActionsThreadedOnMouse() override { WithinBound("stopping the threads", [this] { threads.Stop(); }); }

  int KeyboardReports() const {
    int n = 0;
    for (const Bytes& r : rig.mouse.TakenReports()) n += r[1] == 0x15;
    return n;
  }

  MouseRig rig;
  MemoryProfileFiles files;
  MacroTables macros;
  NoWaitTimer timer;
  NoPrograms programs;
  std::atomic<std::int32_t> current{1};
  ButtonActionHandover handover;
  ButtonActionWorker worker{{rig.record, macros, files, u"config.ini", current, rig.repaint},
                            handover,
                            rig.reports,
                            timer,
                            programs};
  WatchedReaderWaits waits;
  InputReportReader reader{rig.link, handover, rig.record.MACRO_MODE2, waits};
  ButtonActionThreads threads{reader, worker, handover};
};

TEST_F(ButtonActionsThreadedOnMouse, PressPlaysTheMacroThroughTheMouse) {
  rig.mouse.Press(4);
  rig.mouse.Release(4);
  // Three repetitions of a press and a release, each followed by release all.
  ASSERT_TRUE(Eventually([&] { return KeyboardReports() == 9; }));
  ASSERT_TRUE(Eventually([&] { return !handover.Pending(); }));
  const auto reports = rig.mouse.TakenReports();
  ASSERT_EQ(reports.size(), 12u);
  EXPECT_EQ((Bytes(reports[0].begin() + 1, reports[0].begin() + 3)), (Bytes{0x15, 0x04}));
  EXPECT_EQ((Bytes(reports[2].begin() + 1, reports[2].begin() + 4)), (Bytes{0x16, 0x00, 0xFF}));
  const virtual_mouse::FirmwareState state = rig.mouse.State();
  EXPECT_EQ(state.heldKeys, (std::array<std::uint8_t, 6>{}));
  EXPECT_EQ(state.heldButtons, 0);
}

TEST_F(ButtonActionsThreadedOnMouse, ConsumerKeyOncePerPress) {
  rig.mouse.Press(5);
  rig.mouse.Release(5);
  ASSERT_TRUE(Eventually([&] { return rig.mouse.State().consumerKeys.size() == 1; }));
  ASSERT_TRUE(Eventually([&] { return !handover.Pending(); }));
  EXPECT_EQ(rig.mouse.State().consumerKeys, (std::vector<std::uint16_t>{0x00E2}));
}

TEST_F(ButtonActionsThreadedOnMouse, UnpluggedWhileAHeldMacroPlays) {
  rig.record.MACRO_MODE2 = 1;  // would repeat while held, up to 10000 times
  rig.mouse.Press(4);
  ASSERT_TRUE(Eventually([&] { return KeyboardReports() >= 1; }));
  rig.mouse.Unplug();
  rig.DeliverNotices();
  ASSERT_TRUE(Eventually([&] { return !handover.Pending(); }));
  EXPECT_EQ(rig.exits, 1);
  EXPECT_EQ(rig.reports.KeyArray(), (std::array<std::uint8_t, 6>{}));
  EXPECT_EQ(rig.reports.MouseButtonByte(), 0xFF);

  // After the removal notice the old handle's reads are not retried: the
  // reader waits for the arrival instead of waking a few times a second. The
  // read in flight at the removal and the one the notice wakes may still end
  // as failures.
  const std::uint64_t failed = reader.FailedReads();
  ASSERT_TRUE(Eventually([&] { return waits.Parked(); })) << "the reader never waited for the arrival";
  EXPECT_LE(reader.FailedReads(), failed + 2);

  rig.mouse.Plug();
  rig.DeliverNotices();  // the arrival opens the mouse again
  ASSERT_TRUE(rig.link.DevicePresent());
  rig.record.MACRO_MODE2 = 0;
  rig.mouse.Press(5);
  rig.mouse.Release(5);
  ASSERT_TRUE(Eventually([&] { return rig.mouse.State().consumerKeys.size() == 1; }));
  EXPECT_EQ(rig.mouse.State().heldKeys, (std::array<std::uint8_t, 6>{}));
}


// Saves that take a moment, as a file on disk does: the worker is busy with
// each DPI press long enough for the next ones to arrive meanwhile.
class SlowSaves final : public ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                            std::size_t bufferSize, std::u16string_view path) override {
    std::lock_guard lock(mutex_);
    return files_.ReadString(section, key, fallback, bufferSize, path);
  }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::lock_guard lock(mutex_);
    return files_.WriteString(section, key, value, path);
  }

 private:
  std::mutex mutex_;
  MemoryProfileFiles files_;
};

TEST(ButtonActionsDpiBurst, AfterBackToBackPressesTheHostHoldsTheMousesLevel) {
  for (int presses = 1000; presses <= 1003; ++presses) {
    SCOPED_TRACE(presses);
    MouseRig rig;
    SlowSaves files;
    MacroTables macros;
    NoWaitTimer timer;
    NoPrograms programs;
    std::atomic<std::int32_t> current{2};
    ButtonActionHandover handover;
    ButtonActionWorker worker{{rig.record, macros, files, u"config.ini", current, rig.repaint}, handover, rig.reports,
                              timer, programs};
    InputReportReader reader{rig.link, handover, rig.record.MACRO_MODE2};
    ButtonActionThreads threads{reader, worker, handover};
    rig.link.SetInputChanged([&reader](bool present) { reader.InputChanged(present); });
    SetFactoryDefaults(rig.record);  // button code 6 is the DPI button
    ASSERT_TRUE(rig.link.OpenDevice());
    Download(rig.Services(files), rig.record, 2, u"config.ini");
    threads.Start();

    for (int i = 0; i < presses; ++i) {
      rig.mouse.Press(6);
      rig.mouse.Release(6);
    }
    const std::int32_t level = rig.mouse.State().currentLevel;
    auto stored = [&] { return DecimalValue(files.ReadString(u"Config2", u"DPI_LEVEL", u"", 5, u"config.ini")); };
    EXPECT_TRUE(Eventually([&] { return !handover.Pending() && rig.record.DPI_LEVEL == level && stored() == level; }))
        << "mouse level " << level << ", record " << rig.record.DPI_LEVEL << ", config.ini " << stored();
    WithinBound("stopping the threads", [&] { threads.Stop(); });
  }
}

// The order of the program's start: both threads run before the mouse is
// opened, so the reader first finds nothing to read and must be told of the open.
class ButtonActionsThreadedBeforeTheOpen : public ButtonActionsThreadedOnMouse {
 protected:
  void SetUp() override { threads.Start(); }
};

TEST_F(ButtonActionsThreadedBeforeTheOpen, APressAfterTheOpenIsActedOn) {
  ASSERT_TRUE(rig.link.OpenDevice());
  Download(rig.Services(files), rig.record, 1, u"config.ini");
  rig.mouse.Press(5);
  rig.mouse.Release(5);
  ASSERT_TRUE(Eventually([&] { return rig.mouse.State().consumerKeys.size() == 1; }));
  EXPECT_EQ(rig.mouse.State().consumerKeys, (std::vector<std::uint16_t>{0x00E2}));
}

}  // namespace
}  // namespace zr::test
