// Profile files in memory for the fuzz targets, read and written by the
// portable engine as the program reads its files.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/FileQueries.h"
#include "platform/IniEngine.h"
#include "platform/ProfileFiles.h"

namespace zr::fuzz {

// Files in memory, so that a run costs one parse and not one per read: the
// engine's own parsing, lookups and writes, with each file's text written
// out and parsed again after a write, as a file on disk would be.
class MemoryFiles final : public ProfileFiles, public FileQueries {
 public:
  void Put(const std::u16string& path, std::string_view bytes) { files_[path] = {ParseIni(bytes), false}; }

  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue,
                            std::size_t bufferSize, std::u16string_view path) override {
    const auto found = files_.find(std::u16string(path));
    if (found == files_.end()) return ReadProfileEntry(nullptr, section, key, defaultValue, bufferSize);
    File& file = found->second;
    if (file.rewritten) file = {ParseIni(SerializeIni(file.document)), false};
    return ReadProfileEntry(&file.document, section, key, defaultValue, bufferSize);
  }

  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    File& file = files_[std::u16string(path)];
    SetIniValue(file.document, section, key, value);
    file.rewritten = true;
    return true;
  }

  bool Exists(std::u16string_view path) override { return files_.count(std::u16string(path)) != 0; }

 private:
  struct File {
    IniDocument document;
    bool rewritten = false;
  };
  std::map<std::u16string, File> files_;
};

}  // namespace zr::fuzz
