#include "virtual_mouse/Control.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "config/FunctionTable.h"
#include "virtual_mouse/ReportLog.h"

namespace zr::virtual_mouse {
namespace {

constexpr std::string_view kUsage =
    "usage: virtual-mouse press|release|click <0..5|left|right|middle|back|forward|dpi>, or unplug, plug, state";

struct VerbName {
  std::string_view name;
  ControlVerb verb;
  bool takesButton;
};
constexpr std::array<VerbName, 6> kVerbs = {{{"press", ControlVerb::Press, true},
                                             {"release", ControlVerb::Release, true},
                                             {"click", ControlVerb::Click, true},
                                             {"unplug", ControlVerb::Unplug, false},
                                             {"plug", ControlVerb::Plug, false},
                                             {"state", ControlVerb::State, false}}};

// Named after what the factory settings make each slot do.
constexpr std::array<std::string_view, kButtons> kSlotNames = {"left", "right", "middle", "back", "forward", "dpi"};

std::optional<int> SlotOf(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kButtons) return text[0] - '0';
  for (int slot = 0; slot < kButtons; ++slot)
    if (kSlotNames[slot] == text) return slot;
  return std::nullopt;
}

ParsedCommand Error(std::string message) { return {std::nullopt, std::move(message)}; }

std::string_view PointerName(PointerButton button) {
  switch (button) {
    case PointerButton::Left: return "left";
    case PointerButton::Right: return "right";
    case PointerButton::Middle: return "middle";
    case PointerButton::Back: return "back";
    case PointerButton::Forward: return "forward";
  }
  return "unknown";
}

void Line(std::string& text, std::string_view key, const std::string& value) {
  text += key;
  text += '=';
  text += value;
  text += '\n';
}

std::string Decimal(unsigned value) { return std::to_string(value); }

std::string HexUsages(const std::vector<std::uint16_t>& usages) {
  std::string text;
  for (std::uint16_t usage : usages) {
    if (!text.empty()) text += ' ';
    const std::array<std::uint8_t, 2> bytes = {static_cast<std::uint8_t>(usage >> 8),
                                               static_cast<std::uint8_t>(usage & 0xFF)};
    std::string hex = HexBytes(bytes);
    text += hex.substr(0, 2) + hex.substr(3, 2);
  }
  return text;
}

}  // namespace

std::u16string ControlPipeName() {
  const char* name = std::getenv(kControlPipeVariable);
  if (name == nullptr || *name == '\0') return std::u16string(kControlPipeName);
  std::u16string wide;
  for (const char* c = name; *c != '\0'; ++c) wide += static_cast<char16_t>(static_cast<unsigned char>(*c));
  return wide;
}

ParsedCommand ParseControlArguments(std::span<const std::string_view> arguments) {
  if (arguments.empty()) return Error(std::string(kUsage));
  const VerbName* verb = nullptr;
  for (const VerbName& candidate : kVerbs)
    if (candidate.name == arguments[0]) verb = &candidate;
  if (verb == nullptr) return Error("unknown command '" + std::string(arguments[0]) + "'; " + std::string(kUsage));
  ControlCommand command{verb->verb, -1};
  const std::size_t wanted = verb->takesButton ? 2 : 1;
  if (arguments.size() < wanted)
    return Error("'" + std::string(verb->name) + "' needs a button: a slot 0..5 or left, right, middle, back, forward, dpi");
  if (arguments.size() > wanted) return Error("too many arguments for '" + std::string(verb->name) + "'; " + std::string(kUsage));
  if (verb->takesButton) {
    const std::optional<int> slot = SlotOf(arguments[1]);
    if (!slot)
      return Error("unknown button '" + std::string(arguments[1]) +
                   "': give a slot 0..5 or left, right, middle, back, forward, dpi");
    command.slot = *slot;
  }
  return {command, {}};
}

std::string ControlRequest(const ControlCommand& command) {
  std::string request;
  for (const VerbName& verb : kVerbs)
    if (verb.verb == command.verb) request = std::string(verb.name);
  if (command.slot >= 0) request += ' ' + std::to_string(command.slot);
  return request + '\n';
}

ParsedCommand ParseControlRequest(std::string_view request) {
  if (!request.empty() && request.back() == '\n') request.remove_suffix(1);
  if (!request.empty() && request.back() == '\r') request.remove_suffix(1);
  std::vector<std::string_view> words;
  while (!request.empty()) {
    const std::size_t space = request.find(' ');
    const std::string_view word = request.substr(0, space);
    if (!word.empty()) words.push_back(word);
    if (space == std::string_view::npos) break;
    request.remove_prefix(space + 1);
  }
  return ParseControlArguments(words);
}

std::string EffectLines(const ButtonEffect& effect) {
  std::string text;
  for (const std::vector<std::uint8_t>& report : effect.inputReports) text += "input " + HexBytes(report) + '\n';
  for (const PointerEvent& event : effect.pointerEvents)
    text += "pointer " + std::string(PointerName(event.button)) + (event.down ? " down\n" : " up\n");
  return text;
}

std::string StateLines(const FirmwareState& state, bool plugged) {
  std::string text;
  Line(text, "plugged", plugged ? "1" : "0");
  for (int code = 1; code <= kButtons; ++code)
    Line(text, "button_function_" + std::to_string(code), Decimal(state.buttonFunction[code]));
  for (int level = 0; level < kLevels; ++level)
    Line(text, "sensor_code_" + std::to_string(level), Decimal(state.sensorCode[level]));
  Line(text, "enabled_mask", Decimal(state.enabledMask));
  Line(text, "current_level", Decimal(state.currentLevel));
  Line(text, "report_rate_step", Decimal(state.reportRateStep));
  Line(text, "wheel", Decimal(state.wheel));
  Line(text, "led_mode", Decimal(state.ledMode));
  Line(text, "led_on", state.ledOn ? "1" : "0");
  Line(text, "led_parameter", Decimal(state.ledParameter));
  Line(text, "fire_units", Decimal(state.fireUnits));
  Line(text, "held_keys", HexBytes(state.heldKeys));
  Line(text, "button_byte", HexBytes(std::span(&state.buttonByte, 1)));
  Line(text, "consumer_keys", HexUsages(state.consumerKeys));
  Line(text, "driver_exit", state.driverExitSeen ? "1" : "0");
  return text;
}

ControlReply RunControlCommand(VirtualMouse& mouse, const ControlCommand& command) {
  switch (command.verb) {
    case ControlVerb::Unplug: mouse.Unplug(); return {};
    case ControlVerb::Plug: mouse.Plug(); return {};
    case ControlVerb::State: return {0, StateLines(mouse.State(), mouse.Plugged())};
    case ControlVerb::Press:
    case ControlVerb::Release:
    case ControlVerb::Click: break;
  }
  if (command.slot < 0 || command.slot >= kButtons) return {1, "unknown button"};
  if (!mouse.Plugged()) return {1, "the mouse is unplugged"};
  const std::uint8_t code = kButtonCodes[command.slot];
  std::string text;
  if (command.verb != ControlVerb::Release) text += EffectLines(mouse.Press(code));
  if (command.verb != ControlVerb::Press) text += EffectLines(mouse.Release(code));
  return {0, text};
}

std::string EncodeReply(const ControlReply& reply) { return (reply.exitCode == 0 ? "0" : "1") + reply.text; }

ControlReply DecodeReply(std::string_view wire) {
  if (wire.empty() || (wire[0] != '0' && wire[0] != '1')) return {1, "the virtual mouse gave no answer"};
  return {wire[0] - '0', std::string(wire.substr(1))};
}

}  // namespace zr::virtual_mouse
