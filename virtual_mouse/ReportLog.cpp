#include "virtual_mouse/ReportLog.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace zr::virtual_mouse {

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::string ReportLogLine(std::chrono::steady_clock::duration sinceStart, std::string_view kind,
                          std::span<const std::uint8_t> bytes) {
  // Whole microseconds keep the three decimals exact, free of rounding.
  const long long micros = std::chrono::duration_cast<std::chrono::microseconds>(sinceStart).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%lld.%03lld", micros / 1000, micros % 1000);
  std::string line = stamp;
  line += ' ';
  line += kind;
  line += ' ';
  line += HexBytes(bytes);
  return line;
}

ReportLogWriter AppendingFileLog(const std::string& path) {
  std::FILE* opened = std::fopen(path.c_str(), "ab");
  if (opened == nullptr) return {};
  std::shared_ptr<std::FILE> file(opened, [](std::FILE* f) { std::fclose(f); });
  return [file](const std::string& line) {
    std::fputs(line.c_str(), file.get());
    std::fputc('\n', file.get());
    std::fflush(file.get());
  };
}

ReportLogWriter ReportLogFromEnvironment() {
  const char* path = std::getenv(kReportLogVariable);
  if (path == nullptr || *path == '\0') return {};
  return AppendingFileLog(path);
}

}  // namespace zr::virtual_mouse
