#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/DurableWrite.h"

namespace zr {

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

}  // namespace zr
