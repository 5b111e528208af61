// Any bytes as what the mouse sends on its vendor input collection, read by
// the input-report reader and carried out by the button-action worker. The
// record, the trigger mode and the macros come first; then a stream of
// reports (of any length and id) and of the worker's turns, and reports keep arriving while a macro plays, as they do from the
// reader's thread. Beyond crashes it checks what the mouse and the user rely
// on: a playback always ends with everything released, never plays more
// repetitions than it may, a finished action leaves no stop request behind,
// and the DPI level and report-rate step the worker takes are the ones it
// stores.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigRecord.h"
#include "config/FunctionTable.h"
#include "device/ButtonActions.h"
#include "device/InputReportReader.h"
#include "MemoryFiles.h"
#include "platform/Text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Reads the input from the front; past its end every value is 0.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Remaining() const { return size_ - used_; }
  std::uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }
  std::int32_t Int32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= std::uint32_t{Byte()} << (8 * i);
    return static_cast<std::int32_t>(value);
  }
  std::vector<std::uint8_t> Take(std::size_t count) {
    count = std::min(count, Remaining());
    std::vector<std::uint8_t> taken(data_ + used_, data_ + used_ + count);
    used_ += count;
    return taken;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t used_ = 0;
};

using MemoryProfiles = zr::fuzz::MemoryFiles;

// One thing that happens on the way from the mouse: a report arriving, or
// the worker getting round to the action that waits.
struct Happening {
  bool workerTurn = false;
  std::vector<std::uint8_t> report;
  std::size_t claimedLength = 0;  // what the read says it delivered, which may exceed the buffer
};

class Stream {
 public:
  explicit Stream(std::deque<Happening> happenings) : happenings_(std::move(happenings)) {}
  bool Empty() const { return happenings_.empty(); }
  Happening Next() {
    Happening next = std::move(happenings_.front());
    happenings_.pop_front();
    return next;
  }

 private:
  std::deque<Happening> happenings_;
};

// The mouse as the worker drives it: which keys it was told to hold.
class MouseModel final : public zr::MouseInjection {
 public:
  void SendKeyEvent(std::uint8_t key, std::uint8_t action) override {
    Require(playing);
    ++keyEvents;
    releasedSinceLastKey = false;
    (void)key;
    (void)action;
  }
  void ReleaseAll() override {
    releasedSinceLastKey = true;
    ++releases;
  }
  void SendConsumerUsage(std::uint16_t usage) override {
    Require(usage != 0);
    ++consumerKeys;
  }

  bool playing = false;
  bool releasedSinceLastKey = true;
  std::int64_t keyEvents = 0;
  std::int64_t releases = 0;
  std::int64_t consumerKeys = 0;
};

// The step waits: while the worker waits, the reader goes on handing over
// reports. A budget of steps stands in for a mouse that goes away in the
// middle of a long macro, so that one run stays short.
class SteppingTimer final : public zr::StepTimer {
 public:
  SteppingTimer(Stream& stream, zr::ButtonActionHandover& handover, const std::atomic<std::int32_t>& macroMode2)
      : stream_(stream), handover_(handover), macroMode2_(macroMode2) {}
  void BeginPlayback() override {
    Require(!inPlayback_);
    inPlayback_ = true;
    interrupted_ = false;
  }
  void EndPlayback() override {
    Require(inPlayback_);
    inPlayback_ = false;
  }
  bool Wait(std::uint32_t milliseconds) override {
    Require(inPlayback_);
    Require(milliseconds >= zr::kShortestStepMs);
    if (!stream_.Empty()) {
      Happening next = stream_.Next();
      if (!next.workerTurn) handover_.OnInputReport(next.report, macroMode2_.load());
    }
    if (++steps_ > kStepBudget) interrupted_ = true;
    return !interrupted_;
  }
  void Interrupt() override { interrupted_ = true; }
  void Close() override { interrupted_ = true; }

 private:
  static constexpr int kStepBudget = 2000;
  Stream& stream_;
  zr::ButtonActionHandover& handover_;
  const std::atomic<std::int32_t>& macroMode2_;
  bool inPlayback_ = false;
  bool interrupted_ = false;
  int steps_ = 0;
};

class CountingPrograms final : public zr::ProgramStarter {
 public:
  void StartSystemProgram(std::u16string_view fileName) override {
    Require(fileName == u"calc.exe" || fileName == u"cmd.exe");
  }
};

class NoRepaint final : public zr::WindowRepaint {
 public:
  void RepaintWholeWindow() override {}
};

// Reports come from the stream; at each worker turn the worker carries out
// what waits, on the reader's thread, so the run is the same every time.
class StreamSource final : public zr::InputReportSource {
 public:
  StreamSource(Stream& stream, std::function<void()> workerTurn) : stream_(stream), workerTurn_(std::move(workerTurn)) {}
  void SetReader(zr::InputReportReader& reader) { reader_ = &reader; }
  zr::InputRead ReadInputReport(std::span<std::uint8_t> buffer) override {
    while (!stream_.Empty()) {
      Happening next = stream_.Next();
      if (next.workerTurn) {
        workerTurn_();
        continue;
      }
      const std::size_t copied = std::min(next.report.size(), buffer.size());
      std::copy_n(next.report.begin(), copied, buffer.begin());
      return zr::InputRead::Of(next.claimedLength);
    }
    workerTurn_();
    reader_->Shutdown();
    return zr::InputRead::Ended(zr::ReadEnd::Cancelled);
  }
  void CancelInputRead() override {}

 private:
  Stream& stream_;
  std::function<void()> workerTurn_;
  zr::InputReportReader* reader_ = nullptr;
};

std::int32_t StoredNumber(MemoryProfiles& files, std::u16string_view key, std::int32_t number) {
  const std::u16string section = u"Config" + zr::DecimalText(number);
  return zr::DecimalValue(files.ReadString(section, key, u"", 16, u"\\config.ini"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes input(data, size);

  // First the record the worker reads, the trigger mode and the macros.
  auto config = std::make_unique<zr::ConfigRecord>();
  zr::SetFactoryDefaults(*config);
  for (int slot = 0; slot < zr::kButtonSlots; ++slot) {
    // A byte the tables mostly know, or (after a marker) anything a damaged file holds.
    const std::uint8_t first = input.Byte();
    const std::int32_t code = first == 0xFF ? input.Int32() : first;
    config->K[slot] = code;
    // As the download sets them.
    config->dpiButtonFlag[slot] = zr::HostActionOf(code) == zr::HostAction::DpiButton ? 1 : 0;
    config->rateButtonFlag[slot] = zr::HostActionOf(code) == zr::HostAction::RateButton ? 1 : 0;
  }
  config->USB_SPEED = input.Byte();
  config->MACRO_MODE2 = input.Byte() & 1;
  const std::int32_t currentConfig = 1 + input.Byte() % 5;
  auto macros = std::make_unique<zr::MacroTables>();
  macros->macroCount = zr::kUserMacroSlots;
  macros->constantMacroCount = zr::kPlayableConstantMacros;
  for (zr::MacroTable* table : {&macros->macros, &macros->constantMacros}) {
    for (int slot = 0; slot < zr::kUserMacroSlots; ++slot) {
      zr::MacroRecord& record = (*table)[static_cast<std::size_t>(slot)];
      const std::uint8_t repeat = input.Byte();
      record.repeatMode = repeat & 1;
      record.repeatCount = static_cast<std::uint16_t>((repeat >> 1) % 5);
      record.eventCount = input.Byte();
      for (std::size_t k = 0; k < record.eventCount; ++k) {
        record.events[k] = {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(1 + (k & 1))};
        record.delays[k] = static_cast<std::uint16_t>(k * 7);
      }
    }
  }

  // Then what happens: a kind byte, and for a report its bytes (three, or
  // as many as a length byte says).
  std::deque<Happening> happenings;
  while (input.Remaining() > 0) {
    const std::uint8_t kind = input.Byte();
    Happening next;
    if (kind % 4 == 3) {
      next.workerTurn = true;
    } else {
      next.report = input.Take(kind % 4 == 0 ? input.Byte() + 44u : 3u);
      next.claimedLength = kind % 8 == 1 ? kind * 3u : next.report.size();
    }
    happenings.push_back(std::move(next));
  }
  Stream stream(std::move(happenings));

  const std::atomic<std::int32_t> current{currentConfig};
  std::atomic<std::int32_t> macroMode2{config->MACRO_MODE2.load()};
  MemoryProfiles files;
  NoRepaint repaint;
  MouseModel mouse;
  CountingPrograms programs;
  zr::ButtonActionHandover handover;
  SteppingTimer timer(stream, handover, macroMode2);
  zr::ButtonActionWorker worker({*config, *macros, files, u"\\config.ini", current, repaint}, handover, mouse, timer,
                                programs);
  const bool rateSteps = config->USB_SPEED <= zr::kLastReportRateStep;

  auto workerTurn = [&] {
    if (!handover.Pending()) return;
    std::uint8_t code = 0, level = 0;
    Require(handover.WaitForAction(code, level) == zr::ButtonActionHandover::Wake::Action);
    Require(code > zr::kButtonEventBase && level != zr::kReleasedLevelByte);
    const std::int64_t releasesBefore = mouse.releases, keysBefore = mouse.keyEvents;
    mouse.playing = true;
    worker.CarryOut(code, level);
    mouse.playing = false;
    Require(mouse.releasedSinceLastKey);
    // Every repetition ends with one release of everything, and a macro plays
    // no more repetitions than its trigger mode and record allow.
    std::int64_t allowed = 0;
    for (int slot = 0; slot < zr::kButtonSlots; ++slot) {
      if (zr::kButtonEventBase + zr::kButtonCodes[slot] != code) continue;
      const std::int32_t f = config->K[slot];
      if (f >= 41 && f <= 52) {
        const zr::MacroRecord& macro = macros->macros[static_cast<std::size_t>(f - 41)];
        allowed += config->MACRO_MODE2 != 0 ? 10000 : macro.repeatMode == 0 ? 1 : macro.repeatCount;
      } else if (f >= 31 && f <= 38) {
        allowed += 1;
      }
    }
    Require(mouse.releases - releasesBefore <= allowed);
    if (allowed == 0) Require(mouse.keyEvents == keysBefore);
    for (int slot = 0; slot < zr::kButtonSlots; ++slot) {
      if (zr::kButtonEventBase + zr::kButtonCodes[slot] != code) continue;
      if (config->dpiButtonFlag[slot] != 0) {
        Require(config->DPI_LEVEL == level);
        Require(StoredNumber(files, u"DPI_LEVEL", currentConfig) == level);
      }
      if (config->rateButtonFlag[slot] != 0)
        Require(StoredNumber(files, u"USB_SPEED", currentConfig) == config->USB_SPEED);
    }
    handover.FinishAction();
    Require(!handover.Pending() && !handover.StopRequested());
  };

  StreamSource source(stream, workerTurn);
  zr::InputReportReader reader(source, handover, macroMode2);
  source.SetReader(reader);
  reader.Run();
  if (rateSteps) Require(config->USB_SPEED <= zr::kLastReportRateStep);
  Require(reader.FailedReads() == 0);
  return 0;
}
