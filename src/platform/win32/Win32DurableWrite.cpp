// What the program saves on Windows goes through Win32AtomicFiles; the
// portable class only gets the standard library's flush here.
#include <fstream>

#include "platform/DurableWrite.h"

namespace zr {

bool WriteAndFlush(const std::filesystem::path& temporary, std::string_view bytes, const std::filesystem::path&) {
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

void FlushFolder(const std::filesystem::path&) {}

}  // namespace zr
