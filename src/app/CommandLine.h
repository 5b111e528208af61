// How the process was asked to start. Nothing on the command line decides
// anything else: every setting a person can change lives in config.ini.
#pragma once

#include <cstdint>
#include <string_view>

namespace zr {

enum class StartMode : std::uint8_t {
  Window,      // as a person starts it: the window opens after the start-up
  Tray,        // "/tray", the logon start: the whole start-up, then only the tray icon
  EndRunning,  // "/exit", for the installer: a running instance runs its exit procedure
};

// The arguments after the program name, as the process gets them. "/" or "-"
// introduces a switch, case does not matter; anything else is ignored, so a
// start with unknown arguments is an ordinary start. "/exit" outranks "/tray".
StartMode ParseCommandLine(std::u16string_view arguments);

}  // namespace zr
