#include "app/AppState.h"

#include "config/ConfigRepair.h"

namespace zr {

void LoadStartupState(ProfileFiles& files, FileQueries& fileQueries, AppState& state) {
  const StartupChoices choices = LoadStartupConfiguration(files, fileQueries, state.paths.ConfigFile(), state.config);
  state.currentConfig = choices.currentConfig;
  state.languageFlag = choices.languageFlag;
}

}  // namespace zr
