// The device link used from several threads at once, as the reader, the
// worker and the interface thread use it. Run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "config/FunctionTable.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/MouseRig.h"

namespace zr::test {
namespace {

class NoSleep final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds) override {}
};

TEST(DeviceLinkThreaded, DownloadsAndInjectedKeysNeverShareAReport) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  NoSleep noSleep;
  FeatureReports reports(rig.link, noSleep);
  SetFactoryDefaults(rig.record);
  MemoryProfileFiles files;
  const DownloadServices services{files, reports, rig.system, rig.repaint};

  constexpr int kDownloads = 60;
  constexpr int kKeyRounds = 400;
  std::atomic<bool> downloading{true};
  std::thread worker([&] {
    for (int i = 0; i < kKeyRounds; ++i) {
      reports.SendKeyEvent(0x04, kKeyPress);
      reports.SendKeyEvent(0xF0, kKeyPress);
      reports.SendConsumerUsage(0x00E9);
      reports.ReleaseAll();
    }
  });
  std::thread flagReader([&] {
    // The worker reads the button flags while the download rewrites them.
    std::int64_t seen = 0;
    while (downloading) seen += rig.record.dpiButtonFlag[5] + rig.record.rateButtonFlag[5];
    EXPECT_GE(seen, 0);
  });
  for (int i = 0; i < kDownloads; ++i) Download(services, rig.record, 1, u"config.ini");
  downloading = false;
  worker.join();
  flagReader.join();

  // A report composed while another thread wrote into the buffer would show
  // up as a report of the wrong form or as one too many of a kind.
  std::map<std::uint8_t, int> counts;
  for (const Bytes& r : rig.mouse.TakenReports()) {
    ++counts[r[1]];
    switch (r[1]) {
      case 0x10: EXPECT_EQ(r[2], r[3]) << "a factory button assignment"; break;
      case 0x11: EXPECT_EQ((Bytes{r[2], r[3]}), (Bytes{0, 0})); break;
      case 0x09: EXPECT_EQ((Bytes{r[2], r[4]}), (Bytes{0x40, 0x0F})); break;
      case 0x13: EXPECT_EQ((Bytes{r[2], r[3]}), (Bytes{0x7F, 0x10})); break;
      case 0x12: EXPECT_EQ((Bytes{r[2], r[3], r[4], r[5], r[6], r[7]}), (Bytes{0, 6, 0, 0, 0, 0})); break;
      case 0x15: EXPECT_TRUE(r[2] == 0 || r[2] == 0x04) << int{r[2]}; break;
      case 0x16: EXPECT_TRUE(r[3] == 0xFE || r[3] == 0xFF) << int{r[3]}; break;
      case 0x17: EXPECT_EQ((Bytes{r[2], r[3]}), (Bytes{0x00, 0xE9})); break;
      default: ADD_FAILURE() << "unexpected command " << int{r[1]};
    }
  }
  EXPECT_EQ(counts[0x10], 6 * kDownloads);
  EXPECT_EQ(counts[0x09], 4 * kDownloads);
  EXPECT_EQ(counts[0x11] + counts[0x12] + counts[0x13], 3 * kDownloads);
  EXPECT_EQ(counts[0x15], 2 * kKeyRounds);
  EXPECT_EQ(counts[0x16], 2 * kKeyRounds);
  EXPECT_EQ(counts[0x17], kKeyRounds);
  EXPECT_EQ(rig.mouse.State().buttonFunction, (std::array<std::uint8_t, 7>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(DeviceLinkThreaded, ABlockedReaderGetsEveryReportAndCanBeStopped) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  rig.reports.SendButtonAssignment(4, 0);

  std::atomic<bool> stop{false};
  std::atomic<int> count{0};
  std::vector<Bytes> received;  // the reader's own until it has been joined
  std::thread reader([&] {
    std::array<std::uint8_t, kReportBufferSize> buffer{};
    while (!stop) {
      if (const auto length = rig.link.ReadInputReport(buffer)) {
        received.emplace_back(buffer.begin(), buffer.begin() + *length);
        ++count;
      }
    }
  });
  constexpr int kPresses = 10;  // fewer than the 32 reports a handle keeps
  for (int i = 0; i < kPresses; ++i) {
    rig.mouse.Press(4);
    rig.mouse.Release(4);
  }
  // Once the reader has them all it blocks on the next read; stop it there.
  for (int waited = 0; waited < 5000 && count < 2 * kPresses; ++waited)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  stop = true;
  rig.link.CancelInputRead();
  reader.join();

  ASSERT_EQ(received.size(), 2u * kPresses);
  for (int i = 0; i < kPresses; ++i) {
    EXPECT_EQ(received[2 * i], (Bytes{6, 0xF4, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(received[2 * i + 1][2], 0x80);
  }
}

TEST(DeviceLinkThreaded, UnpluggingEndsABlockedRead) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  std::atomic<bool> returned{false};
  std::thread reader([&] {
    std::array<std::uint8_t, kReportBufferSize> buffer{};
    EXPECT_FALSE(rig.link.ReadInputReport(buffer));
    returned = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(returned);
  rig.mouse.Unplug();
  reader.join();
  EXPECT_TRUE(returned);
  EXPECT_EQ(rig.exits, 0);  // the removal notice has not reached the window yet
  rig.DeliverNotices();
  EXPECT_EQ(rig.exits, 1);
}

TEST(DeviceLinkThreaded, ACancelBeforeTheReadEndsTheNextRead) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  rig.link.CancelInputRead();
  std::thread reader([&] {
    std::array<std::uint8_t, kReportBufferSize> buffer{};
    EXPECT_FALSE(rig.link.ReadInputReport(buffer));
  });
  reader.join();  // would wait for good if the cancel had been lost
}

}  // namespace
}  // namespace zr::test
