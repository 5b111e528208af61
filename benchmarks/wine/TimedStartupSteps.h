// The start-up's steps watched from outside the utility: wraps the main
// window's own steps, notes when each begins and passes it on. The clock
// starts as the window initialises (when the wrap is asked for) and stops at
// the tray icon, or where the no-mouse message shows.
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>
#include <vector>

#include "app/StartupSequence.h"
#include "MedianTime.h"

namespace zr::timing {

struct StartupTimes {
  double totalMs = 0;
  double windowShapeMs = 0;  // the mask decoded, the regions built and set
  // When each step began, from the first line; what lies between two steps
  // is the step and the file reading the core did after it.
  struct Mark {
    const char* step;
    double atMs;
  };
  std::vector<Mark> marks;
};

class TimedStartupSteps final : public StartupSteps {
 public:
  StartupSteps& Wrap(StartupSteps& windowSteps) {
    inner_ = &windowSteps;
    times_ = {};
    startMs_ = NowMs();
    return *this;
  }
  const StartupTimes& Times() const { return times_; }

  void ClearHandoverFlags() override {
    Mark("handover");
    inner_->ClearHandoverFlags();
  }
  void StartDeviceThreads() override {
    Mark("threads");
    inner_->StartDeviceThreads();
  }
  void AppendAboutItem() override {
    Mark("about item");
    inner_->AppendAboutItem();
  }
  void SetBigIcon() override {
    Mark("icon");
    inner_->SetBigIcon();
  }
  void SetWindowTitle(std::u16string_view title) override {
    Mark("title");
    inner_->SetWindowTitle(title);
  }
  void CreateAdvancedControls() override {
    Mark("controls");
    inner_->CreateAdvancedControls();
  }
  void CreateFonts() override {
    Mark("fonts");
    inner_->CreateFonts();
  }
  void ApplyWindowShape() override {
    Mark("shape");
    const double start = NowMs();
    inner_->ApplyWindowShape();
    times_.windowShapeMs = NowMs() - start;
  }
  void LoadMenus(std::uint8_t languageFlag) override {
    Mark("menus");
    inner_->LoadMenus(languageFlag);
  }
  bool OpenDevice() override {
    Mark("open");
    return inner_->OpenDevice();
  }
  void ShowNoMouseMessage(std::u16string_view text, std::u16string_view caption) override {
    Mark("message");
    times_.totalMs = NowMs() - startMs_;  // the message's time is the person's, not the start's
    inner_->ShowNoMouseMessage(text, caption);
  }
  void Pause(std::chrono::milliseconds duration) override {
    Mark("pause");
    inner_->Pause(duration);
  }
  void Download() override {
    Mark("download");
    inner_->Download();
  }
  void AddTrayIcon() override {
    Mark("tray icon");
    inner_->AddTrayIcon();
    times_.totalMs = NowMs() - startMs_;
  }
  void RunExitProcedure() override {
    Mark("exit");
    inner_->RunExitProcedure();
  }

 private:
  void Mark(const char* step) { times_.marks.push_back({step, NowMs() - startMs_}); }

  StartupSteps* inner_ = nullptr;
  StartupTimes times_;
  double startMs_ = 0;
};

}  // namespace zr::timing
