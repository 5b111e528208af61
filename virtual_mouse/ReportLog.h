// The virtual mouse's report log: one line per report, for a person or an
// end-to-end test watching what the mouse received and sent. README.md
// beside this file fixes the format.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "virtual_mouse/VirtualMouse.h"

namespace zr::virtual_mouse {

inline constexpr const char* kReportLogVariable = "ZR305_VIRTUAL_MOUSE_LOG";

// Two upper-case hex digits per byte, one space between them.
std::string HexBytes(std::span<const std::uint8_t> bytes);
// "<milliseconds, three decimals> <kind> <bytes>", without a line end.
std::string ReportLogLine(std::chrono::steady_clock::duration sinceStart, std::string_view kind,
                          std::span<const std::uint8_t> bytes);
// Appends each line to the file at `path` and flushes it at once, so a
// reader sees every report even while the program keeps running or if it
// is killed. Nothing when the file cannot be opened.
ReportLogWriter AppendingFileLog(const std::string& path);
// The log the environment asks for (kReportLogVariable), or nothing.
ReportLogWriter ReportLogFromEnvironment();

}  // namespace zr::virtual_mouse
