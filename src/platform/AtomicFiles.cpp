#include "platform/AtomicFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include "platform/PortablePath.h"

namespace zr {
namespace {

// The read-only attribute stops every writer on Windows, administrators
// included; on POSIX root ignores the mode bits, so they are looked at here.
bool IsReadOnly(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) return false;
  using std::filesystem::perms;
  return (status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

#ifndef _WIN32
bool WriteAndFlush(const std::filesystem::path& temporary, std::string_view bytes, const std::filesystem::path& target) {
  const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (file < 0) return false;
  bool ok = true;
  // The new file gets the old one's mode, as a rewrite in place would keep it.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ok = ::fchmod(file, old.st_mode & 07777) == 0;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(file, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(file) == 0;
  return ::close(file) == 0 && ok;
}

// The rename itself is kept only once the folder's entry reaches the disk.
void FlushFolder(const std::filesystem::path& folder) {
  const int handle = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  ::fsync(handle);
  ::close(handle);
}
#else
bool WriteAndFlush(const std::filesystem::path& temporary, std::string_view bytes, const std::filesystem::path&) {
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}
void FlushFolder(const std::filesystem::path&) {}
#endif

}  // namespace

std::u16string ReplacementPath(std::u16string_view path) { return std::u16string(path) + u".tmp"; }

std::optional<std::string> PortableAtomicFiles::ReadAll(std::u16string_view path) {
  std::ifstream in(FilePath(path), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool PortableAtomicFiles::Replace(std::u16string_view path, std::string_view bytes) {
  const std::filesystem::path target = FilePath(path);
  if (IsReadOnly(target)) return false;
  const std::filesystem::path temporary = FilePath(ReplacementPath(path));
  std::error_code error;
  if (!WriteAndFlush(temporary, bytes, target)) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  FlushFolder(target.parent_path());
  return true;
}

}  // namespace zr
