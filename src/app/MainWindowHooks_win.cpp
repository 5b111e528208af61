#include "app/MainWindowHooks_win.h"

#include "macros/MacroFile.h"
#include "skin/LanguageSwitch.h"
#include "skin/SkinReader.h"

namespace zr {
namespace {

// What the language switch asks of the window, the macros and the menus.
class LanguageSwitchOnWindow final : public LanguageSwitchHooks, public ExitRequests {
 public:
  LanguageSwitchOnWindow(MainWindowParts& parts, MainWindowStartup& startup) : parts_(parts), startup_(startup) {}
  void ReloadMacros(std::u16string_view macroFile) override {
    MacroFileServices services{parts_.files, parts_.fileQueries, parts_.notices};
    LoadMacroFile(services, macroFile, parts_.state.macros);
  }
  void RefreshAdvancedPage() override {
    if (parts_.state.ui.currentPage != Page::Advanced) return;
    parts_.macroEditor.RefillMacroList();
    parts_.repaint.RepaintWholeWindow();
  }
  void RebuildMenus(std::uint8_t languageFlag) override { startup_.LoadMenus(languageFlag); }
  void SetMainWindowTitle(std::u16string_view title) override { startup_.SetWindowTitle(title); }
  void RequestExit() override { exitRequested = true; }

  bool exitRequested = false;

 private:
  MainWindowParts& parts_;
  MainWindowStartup& startup_;
};

}  // namespace

void MainWindowHooks::SwitchLanguage(std::uint8_t languageFlag) {
  LanguageSwitchOnWindow window(parts_, startup_);
  AppState& state = parts_.state;
  SkinValueReader reader({parts_.files, parts_.fileQueries, parts_.notices, window});
  zr::SwitchLanguage(languageFlag, {parts_.files, state.paths, state.languageFlag, state.skin}, reader, window);
  // A layout file that vanished halfway leaves no usable skin.
  if (window.exitRequested) exit_.Run();
}

}  // namespace zr
