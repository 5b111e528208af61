// The control channel's language, shared by the client and the server:
// the client's arguments, the one request line it sends, what the server
// does with it and the reply it gives. README.md beside this file fixes the
// commands, the output and the state keys.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "virtual_mouse/VirtualMouse.h"

namespace zr::virtual_mouse {

inline constexpr std::u16string_view kControlPipeName = u"\\\\.\\pipe\\zr305-virtual-mouse";
inline constexpr const char* kControlPipeVariable = "ZR305_VIRTUAL_MOUSE_PIPE";
// A request is one short line; anything longer is not one of ours.
inline constexpr std::size_t kMaxRequestLength = 256;

// The pipe the environment names, else kControlPipeName.
std::u16string ControlPipeName();

enum class ControlVerb : std::uint8_t { Press, Release, Click, Unplug, Plug, State };

struct ControlCommand {
  ControlVerb verb = ControlVerb::State;
  int slot = -1;  // 0..5 for the button verbs
  bool operator==(const ControlCommand&) const = default;
};

// A command, or why there is none.
struct ParsedCommand {
  std::optional<ControlCommand> command;
  std::string error;
};

// The client's arguments without the program's name.
ParsedCommand ParseControlArguments(std::span<const std::string_view> arguments);
// The arguments as one line ending in a line feed, and the server's reading of it.
std::string ControlRequest(const ControlCommand& command);
ParsedCommand ParseControlRequest(std::string_view request);

// What the client prints and ends with: on exit code 0 the text goes to
// standard output, on 1 it is the message for standard error.
struct ControlReply {
  int exitCode = 0;
  std::string text;
  bool operator==(const ControlReply&) const = default;
};

ControlReply RunControlCommand(VirtualMouse& mouse, const ControlCommand& command);
// The firmware's state as "key=value" lines, each ending in a line feed.
std::string StateLines(const FirmwareState& state, bool plugged);
// One line per report a press or release made the mouse send.
std::string EffectLines(const ButtonEffect& effect);

// The reply on the wire: the exit code's digit, then the text.
std::string EncodeReply(const ControlReply& reply);
ControlReply DecodeReply(std::string_view wire);

}  // namespace zr::virtual_mouse
