#include "app/AppState.h"

#include "config/ConfigStore.h"

namespace zr {

void LoadStartupState(ProfileFiles& files, AppState& state) {
  const std::u16string configFile = state.paths.ConfigFile();
  const StartupChoices choices = ReadStartupChoices(files, configFile);
  state.currentConfig = choices.currentConfig;
  state.languageFlag = choices.languageFlag;
  LoadConfiguration(files, configFile, state.currentConfig, false, state.languageFlag, state.config);
}

}  // namespace zr
