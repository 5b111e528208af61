// The main window's steps of the start-up: what the start-up sequence asks
// of the window, the menus and the device side, carried out on the window
// system. The sequence decides the order and reads the files.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <string_view>

#include "app/MainWindowExit_win.h"
#include "app/MainWindowInput_win.h"
#include "app/MainWindowParts_win.h"
#include "app/StartupSequence.h"

namespace zr {

class MainWindowStartup final : public StartupSteps {
 public:
  MainWindowStartup(MainWindowParts& parts, MainWindowExit& exit, MainWindowInput& input)
      : parts_(parts), exit_(exit), input_(input) {}

  void ClearHandoverFlags() override;
  void StartDeviceThreads() override { parts_.device.StartThreads(); }
  void AppendAboutItem() override;
  void SetBigIcon() override;
  void SetWindowTitle(std::u16string_view title) override;
  void CreateAdvancedControls() override { input_.CreateControlObjects(); }
  void CreateFonts() override { parts_.fonts.Create(); }
  void ApplyWindowShape() override;
  // Both menus in a language; the language switch asks for them again.
  void LoadMenus(std::uint8_t languageFlag) override;
  bool OpenDevice() override { return parts_.device.Open(); }
  void ShowNoMouseMessage(std::u16string_view text, std::u16string_view caption) override;
  void Pause(std::chrono::milliseconds duration) override;
  // Apply and the end of the factory reset download the same way.
  void Download() override;
  void AddTrayIcon() override;
  void RunExitProcedure() override { exit_.Run(); }

 private:
  MainWindowParts& parts_;
  MainWindowExit& exit_;
  MainWindowInput& input_;
};

}  // namespace zr
