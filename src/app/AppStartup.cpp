#include "app/AppStartup.h"

#include "app/AppPaths.h"

namespace zr {

bool InitInstance(ProcessServices& process) {
  if (process.AcquireInstanceMutex(kInstanceMutexName)) {
    process.RestoreWindowByTitle(kMainWindowTitle);
    process.ReleaseInstanceMutex();
    return false;
  }
  process.InitCommonControls();
  process.RunMainDialog();
  return false;
}

}  // namespace zr
