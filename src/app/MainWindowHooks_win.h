// What a click on the main window asks of its other parts: the download, the
// language switch, the colour preview, the macro editor and the per-program
// profiles.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/AppProfilesShell_win.h"
#include "app/MainWindowExit_win.h"
#include "app/MainWindowInput_win.h"
#include "app/MainWindowParts_win.h"
#include "app/MainWindowStartup_win.h"

namespace zr {

class MainWindowHooks final : public MainWindowInputHooks {
 public:
  MainWindowHooks(MainWindowParts& parts, MainWindowStartup& startup, MainWindowExit& exit,
                  AppProfilesShell& appProfiles)
      : parts_(parts), startup_(startup), exit_(exit), appProfiles_(appProfiles) {}

  void Download() override { startup_.Download(); }
  void SwitchLanguage(std::uint8_t languageFlag) override;
  void StartColourPreview() override { parts_.colourPreview.StartClaimed(); }
  void AddOrSelectMacro() override { parts_.macroEditor.AddOrSelectMacro(); }
  void DeleteMacro() override { parts_.macroEditor.DeleteMacro(); }
  void ToggleRecording() override { parts_.macroEditor.ToggleRecording(); }
  void ToggleRepeatMode() override { parts_.macroEditor.ToggleRepeatMode(); }
  void CommitRepeatCount() override { parts_.macroEditor.CommitRepeatCount(); }
  void CommitStepDelay() override { parts_.macroEditor.OnStepDelayCommit(); }
  void AdvancedPageOpened() override { parts_.macroEditor.OnAdvancedPageOpened(parts_.Window()); }
  void AdvancedPageClosed() override { parts_.macroEditor.OnAdvancedPageClosed(); }
  void MacrosReloaded() override { parts_.macroEditor.RefillMacroList(); }
  HFONT SkinFont() const override { return parts_.SkinFont(); }
  void ConfigurationChosen() override { appProfiles_.ConfigurationChosen(); }
  void Applied() override { appProfiles_.Applied(); }
  void FactoryResetDone() override { appProfiles_.FactoryResetDone(); }
  void EndMacroEditing() override { parts_.macroEditor.EndEditingBeforeReload(); }

 private:
  MainWindowParts& parts_;
  MainWindowStartup& startup_;
  MainWindowExit& exit_;
  AppProfilesShell& appProfiles_;
};

}  // namespace zr
