// The main window's start-up: the order in which the utility comes alive.
// The core reads the files; the window and the device side are steps the
// shell carries out when asked.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/AppState.h"
#include "platform/FileQueries.h"
#include "platform/ProfileFiles.h"
#include "platform/UserNotices.h"

namespace zr {

class StartupSteps {
 public:
  virtual ~StartupSteps() = default;
  // Before either device thread exists.
  virtual void ClearHandoverFlags() = 0;
  // The reader and the worker, at the highest normal priority; both wait
  // quietly until the mouse is opened.
  virtual void StartDeviceThreads() = 0;
  virtual void AppendAboutItem() = 0;
  virtual void SetBigIcon() = 0;
  virtual void SetWindowTitle(std::u16string_view title) = 0;
  // The advanced page's four control objects; their windows come later.
  virtual void CreateAdvancedControls() = 0;
  virtual void CreateFonts() = 0;
  // The mask decoded once, the window region and the advanced-page paint
  // region built from it, the window region handed to the window system.
  virtual void ApplyWindowShape() = 0;
  virtual void LoadMenus(std::uint8_t languageFlag) = 0;
  virtual bool OpenDevice() = 0;
  // Modal, OK only; returns once the user has closed it.
  virtual void ShowNoMouseMessage(std::u16string_view text, std::u16string_view caption) = 0;
  virtual void Pause(std::chrono::milliseconds duration) = 0;
  virtual void Download() = 0;
  virtual void AddTrayIcon() = 0;
  virtual void RunExitProcedure() = 0;
};

struct StartupServices {
  ProfileFiles& profiles;
  FileQueries& files;
  UserNotices& notices;  // missing-file and malformed-value messages
};

enum class StartupOutcome : std::uint8_t {
  Running,        // the tray icon is there and the window stays
  MissingLayout,  // a skin layout file is missing: exited
  NoMouse,        // told the user and exited
};

inline constexpr std::chrono::milliseconds kPauseBeforeDownload{5};
inline constexpr std::u16string_view kModelName = u"ZR305";

// What the user is told when no mouse is plugged in at start.
std::u16string NoMouseMessage(std::uint8_t languageFlag);
// The executable's file name without its extension, from the module path.
std::u16string ApplicationName(std::u16string_view modulePath);

// The whole start: state.paths must be set. After an exit the remaining
// steps are not taken.
StartupOutcome RunStartupSequence(StartupSteps& steps, StartupServices services, AppState& state,
                                  std::u16string_view applicationName);

}  // namespace zr
