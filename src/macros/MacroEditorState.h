// The macro editor's own state; the macro tables are in MacroRecord.h.
#pragma once

#include <array>
#include <cstdint>

namespace zr {

inline constexpr std::size_t kMaxHeldKeys = 9;

struct MacroEditorState {
  std::uint8_t recording = 0;           // 1 while recording
  std::int32_t recordingTarget = 0;     // slot being recorded
  std::int32_t recordedEventCount = 0;
  std::array<std::uint8_t, kMaxHeldKeys> heldKeys{};  // virtual-key codes, in press order
  std::int32_t heldCount = 0;
  std::uint32_t lastKeyMessage = 0;     // message id of the last key message looked at
  std::uint32_t lastKeyCode = 0;        // its virtual-key code
  std::uint32_t eventClock = 0;         // event time (ms tick) of the previous recorded event
  std::int32_t pressCount = 0;          // press rows since the step list was cleared
  std::int32_t releaseCount = 0;        // release rows since the step list was cleared
  std::int32_t selectedRow = 0;
  std::int32_t selectedEvent = 0;
  std::int32_t contextMacro = 0;
  std::int32_t rowCountAtRightClick = 0;
};

}  // namespace zr
