#include "app/StartupSequence.h"

#include "macros/MacroFile.h"
#include "skin/SkinReader.h"

namespace zr {
namespace {

// The skin reader asks for the exit at most once per file; the sequence
// stops right after it.
class ExitThroughSteps final : public ExitRequests {
 public:
  explicit ExitThroughSteps(StartupSteps& steps) : steps_(steps) {}
  void RequestExit() override { steps_.RunExitProcedure(); }

 private:
  StartupSteps& steps_;
};

// The step list shows two rows per event; start on the first row of the
// current macro's last event.
void ResetMacroEditor(AppState& state) {
  state.ui.popupOpen = false;
  const std::int32_t current = state.macros.currentMacro;
  const std::int32_t events =
      current >= 0 && current < kMacroSlots ? state.macros.macros[static_cast<std::size_t>(current)].eventCount : 0;
  state.editor.selectedRow = events > 0 ? 2 * events - 2 : 0;
}

}  // namespace

std::u16string NoMouseMessage(std::uint8_t languageFlag) {
  const std::u16string model(kModelName);
  return languageFlag != 0 ? u"Please plug-in\u3010" + model + u"\u3011USB Mouse"
                           : u"请插入\u3010" + model + u"\u3011USB鼠标";
}

std::u16string ApplicationName(std::u16string_view modulePath) {
  const std::size_t slash = modulePath.find_last_of(u"\\/");
  std::u16string_view name = slash == std::u16string_view::npos ? modulePath : modulePath.substr(slash + 1);
  if (const std::size_t dot = name.rfind(u'.'); dot != std::u16string_view::npos) name = name.substr(0, dot);
  return std::u16string(name);
}

StartupOutcome RunStartupSequence(StartupSteps& steps, StartupServices services, AppState& state,
                                  std::u16string_view applicationName) {
  steps.ClearHandoverFlags();
  steps.StartDeviceThreads();
  steps.AppendAboutItem();
  steps.SetBigIcon();

  LoadStartupState(services.profiles, services.files, state);
  steps.SetWindowTitle(kMainWindowTitle);

  ExitThroughSteps exit(steps);
  SkinValueReader reader({services.profiles, services.files, services.notices, exit});
  if (!LoadPageLayouts(reader, state.paths, state.languageFlag, state.skin)) return StartupOutcome::MissingLayout;
  steps.CreateAdvancedControls();
  if (!LoadWarningLayout(reader, state.paths, state.languageFlag, state.skin)) return StartupOutcome::MissingLayout;

  steps.CreateFonts();
  steps.ApplyWindowShape();

  MacroFileServices macroFiles{services.profiles, services.files, services.notices};
  LoadMacroFile(macroFiles, state.paths.MacroFile(state.languageFlag), state.macros);
  LoadConstantMacroFile(macroFiles, state.paths.ConstantMacroFile(), state.macros);
  ResetMacroEditor(state);

  steps.LoadMenus(state.languageFlag);
  if (!steps.OpenDevice()) {
    steps.ShowNoMouseMessage(NoMouseMessage(state.languageFlag), applicationName);
    steps.RunExitProcedure();
    return StartupOutcome::NoMouse;
  }
  steps.Pause(kPauseBeforeDownload);
  steps.Download();
  steps.AddTrayIcon();
  return StartupOutcome::Running;
}

}  // namespace zr
