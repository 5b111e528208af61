// virtual-mouse.exe: the console client of the virtual mouse's control
// channel. It checks its arguments, hands the request to the running
// virtual-mouse build of the utility and prints the answer.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"
#include "virtual_mouse/Control.h"

namespace {

using namespace zr::virtual_mouse;

int Fail(const std::string& message) {
  std::fprintf(stderr, "virtual-mouse: %s\n", message.c_str());
  return 1;
}

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// The pipe, waiting a little while another client has it.
zr::UniqueFileHandle Connect(const std::wstring& name) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    HANDLE pipe = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) return zr::UniqueFileHandle(pipe);
    if (::GetLastError() != ERROR_PIPE_BUSY || !::WaitNamedPipeW(name.c_str(), 2000)) break;
  }
  return {};
}

bool ReadExactly(HANDLE pipe, char* into, std::size_t size) {
  while (size > 0) {
    DWORD got = 0;
    if (!::ReadFile(pipe, into, static_cast<DWORD>(size), &got, nullptr) || got == 0) return false;
    into += got;
    size -= got;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Lines end in a line feed alone, whatever reads them.
  _setmode(_fileno(stdout), _O_BINARY);

  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const ParsedCommand parsed = ParseControlArguments(arguments);
  if (!parsed.command) return Fail(parsed.error);

  const std::u16string name = ControlPipeName();
  const zr::UniqueFileHandle pipe = Connect(zr::Wide(name));
  if (!pipe) return Fail("the utility is not running: no virtual mouse answers at " + Narrow(name));

  const std::string request = ControlRequest(*parsed.command);
  DWORD put = 0;
  if (!::WriteFile(pipe.get(), request.data(), static_cast<DWORD>(request.size()), &put, nullptr) ||
      put != request.size())
    return Fail("the virtual mouse did not take the request");

  std::uint32_t length = 0;
  std::string body;
  if (ReadExactly(pipe.get(), reinterpret_cast<char*>(&length), sizeof length) && length <= (1u << 20)) {
    body.resize(length);
    if (!ReadExactly(pipe.get(), body.data(), body.size())) body.clear();
  }
  const ControlReply reply = DecodeReply(body);
  if (reply.exitCode != 0) return Fail(reply.text);
  std::fwrite(reply.text.data(), 1, reply.text.size(), stdout);
  return 0;
}
