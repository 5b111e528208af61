#include "platform/AtomicFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/DurableWrite.h"
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
