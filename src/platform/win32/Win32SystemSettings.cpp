#include "platform/win32/Win32SystemSettings.h"

#include <windows.h>

namespace zr {

std::optional<std::int32_t> Win32SystemSettings::MouseSpeed() {
  int speed = 0;
  if (!::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0)) return std::nullopt;
  return speed;
}

bool Win32SystemSettings::SetMouseSpeed(std::int32_t speed) {
  // The speed travels as the pointer parameter's value, not through it. Wine 8
  // takes it from the integer parameter instead, which Windows does not read:
  // both carry it, so the pointer follows the setting on either.
  return ::SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(speed),
                                 reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

std::optional<std::uint32_t> Win32SystemSettings::WheelScrollLines() {
  UINT lines = 0;
  if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return std::nullopt;
  return lines;
}

bool Win32SystemSettings::SetWheelScrollLines(std::uint32_t lines) {
  return ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, SPIF_UPDATEINIFILE) != FALSE;
}

}  // namespace zr
