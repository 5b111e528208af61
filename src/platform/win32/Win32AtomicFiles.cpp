#include "platform/win32/Win32AtomicFiles.h"

#include <windows.h>

#include <iterator>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace zr {
namespace {

// Another program (a virus scanner, an editor, a backup) may hold the file
// open for a moment without letting it be replaced; a few short waits let it
// finish, well within what a save may take.
constexpr DWORD kRetryPausesMs[] = {5, 10, 20, 40};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool MightClearSoon(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

}  // namespace

std::optional<std::string> Win32AtomicFiles::ReadAll(std::u16string_view path) {
  const std::wstring pathW = Wide(path);
  UniqueFileHandle file(::CreateFileW(pathW.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[16384];
  DWORD read = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

bool Win32AtomicFiles::Replace(std::u16string_view path, std::string_view bytes) {
  const std::wstring target = Wide(path);
  // Windows refuses to replace a read-only file for everybody; Wine lets a
  // root user do it, so the attribute is looked at here for both.
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }

  const std::wstring temporary = Wide(ReplacementPath(path));
  {
    UniqueFileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (!WriteAll(file.get(), bytes) || !::FlushFileBuffers(file.get())) {
      const DWORD error = ::GetLastError();
      file.reset();
      ::DeleteFileW(temporary.c_str());
      ::SetLastError(error);
      return false;
    }
  }

  constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  for (std::size_t attempt = 0;; ++attempt) {
    if (::MoveFileExW(temporary.c_str(), target.c_str(), kFlags)) return true;
    const DWORD error = ::GetLastError();
    if (attempt == std::size(kRetryPausesMs) || !MightClearSoon(error)) {
      ::DeleteFileW(temporary.c_str());
      ::SetLastError(error);
      return false;
    }
    ::Sleep(kRetryPausesMs[attempt]);
  }
}

}  // namespace zr
