#include "app/MainWindowParts_win.h"

#include "resource.h"

namespace zr {

MainWindowParts::MainWindowParts(const Dialog& window, HINSTANCE moduleInstance, AppState& appState,
                                 ProfileFiles& userFiles, HidBus& bus, std::u16string name)
    : dialog(window),
      instance(moduleInstance),
      state(appState),
      watchedFiles(userFiles, {appState.paths.ConfigFile(), appState.paths.MacroFile(1), appState.paths.MacroFile(0)}),
      files(watchedFiles),
      applicationName(std::move(name)),
      icon(static_cast<HICON>(::LoadImageW(moduleInstance, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, 0, 0,
                                           LR_DEFAULTSIZE | LR_SHARED))),
      device(bus),
      macroEditor(MacroEditorShellServices{appState.macros, appState.editor, notices, applicationName, files,
                                           [&appState] { return appState.paths.MacroFile(appState.languageFlag); }}),
      colourPreview(ColourPreviewShared{appState.ui, appState.config, appState.preview, repaint}) {}

void MainWindowParts::AttachWindow() {
  HWND window = Window();
  watchedFiles.SetAnnouncer([window] { ::PostMessageW(window, kSaveFailedMessage, 0, 0); });
  notices.SetOwner(window);
  TrayIcon::AcceptShellRestartMessage(window);
  repaint.SetWindow(window);
  indicatorNews.SetWindow(window);
}

void MainWindowParts::DetachWindow() {
  repaint.SetWindow(nullptr);
  indicatorNews.SetWindow(nullptr);
}

}  // namespace zr
