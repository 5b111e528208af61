// A fresh folder per test, removed afterwards, with helpers for raw file bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zr::test {

class TestFolder {
 public:
  TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder();

  // The folder as the system forms paths: no trailing separator.
  const std::u16string& Directory() const { return directory_; }
  // Directory() + "\" + name.
  std::u16string Path(std::u16string_view name) const;

 private:
  std::filesystem::path native_;
  std::u16string directory_;
};

std::string ReadBytes(std::u16string_view path);
void WriteBytes(std::u16string_view path, std::string_view bytes);
bool Exists(std::u16string_view path);
void MakeReadOnly(std::u16string_view path);
void MakeWritable(std::u16string_view path);

// UTF-16LE bytes of ASCII or UTF-16 text, with a byte-order mark.
std::string Utf16LeBytes(std::u16string_view text);

}  // namespace zr::test
