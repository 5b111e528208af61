#include "shared/TestFolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

#include "platform/PortablePath.h"

namespace zr::test {

TestFolder::TestFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  native_ = std::filesystem::temp_directory_path() /
            ("zr-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(native_);
  directory_ = native_.u16string();
  while (!directory_.empty() && (directory_.back() == u'/' || directory_.back() == u'\\')) directory_.pop_back();
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(native_, ignored))
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(native_, ignored);
}

std::u16string TestFolder::Path(std::u16string_view name) const { return directory_ + u"\\" + std::u16string(name); }

std::string ReadBytes(std::u16string_view path) {
  std::ifstream in(FilePath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(std::u16string_view path, std::string_view bytes) {
  std::ofstream out(FilePath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(std::u16string_view path) { return std::filesystem::exists(FilePath(path)); }

void MakeReadOnly(std::u16string_view path) {
  using std::filesystem::perms;
  std::filesystem::permissions(FilePath(path), perms::owner_read | perms::group_read | perms::others_read);
}

void MakeWritable(std::u16string_view path) {
  std::filesystem::permissions(FilePath(path), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

std::string Utf16LeBytes(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

}  // namespace zr::test
