// Any bytes as a macro file, read through the portable profile engine as the
// program reads its files. Beyond crashes it checks what the rest of the
// program relies on: every count and index within the tables whatever the
// file said, and a save and a load giving back exactly what was read.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "macros/MacroFile.h"
#include "platform/IniEngine.h"

namespace {

// Files in memory, so that a run costs one parse and not one per read: the
// engine's own parsing, lookups and writes, with each file's text written
// out and parsed again after a write, as a file on disk would be.
class MemoryFiles final : public zr::ProfileFiles, public zr::FileQueries {
 public:
  void Put(const std::u16string& path, std::string_view bytes) { files_[path] = {zr::ParseIni(bytes), false}; }

  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue,
                            std::size_t bufferSize, std::u16string_view path) override {
    const auto found = files_.find(std::u16string(path));
    if (found == files_.end()) return zr::ReadProfileEntry(nullptr, section, key, defaultValue, bufferSize);
    File& file = found->second;
    if (file.rewritten) file = {zr::ParseIni(zr::SerializeIni(file.document)), false};
    return zr::ReadProfileEntry(&file.document, section, key, defaultValue, bufferSize);
  }

  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    File& file = files_[std::u16string(path)];
    zr::SetIniValue(file.document, section, key, value);
    file.rewritten = true;
    return true;
  }

  bool Exists(std::u16string_view path) override { return files_.count(std::u16string(path)) != 0; }

 private:
  struct File {
    zr::IniDocument document;
    bool rewritten = false;
  };
  std::map<std::u16string, File> files_;
};

class SilentNotices final : public zr::UserNotices {
 public:
  void ShowMessage(std::u16string_view, std::u16string_view) override {}
};

void Require(bool condition) {
  if (!condition) std::abort();
}

void RequireBounded(const zr::MacroTables& tables) {
  Require(tables.macroCount >= 0 && tables.macroCount <= zr::kUserMacroSlots);
  Require(tables.constantMacroCount >= 0 && tables.constantMacroCount <= zr::kConstantMacroSlots);
  Require(tables.currentMacro >= 0 && tables.currentMacro < zr::kUserMacroSlots);
  Require(tables.macros[zr::kTemplateSlot] == zr::MacroRecord{});
  for (const zr::MacroTable* table : {&tables.macros, &tables.constantMacros}) {
    for (const zr::MacroRecord& record : *table) {
      Require(record.name.back() == u'\0');
      Require(record.eventCount <= zr::kMaxMacroEvents);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string input = u"\\input.dat", output = u"\\output.dat";
  MemoryFiles files;
  files.Put(input, std::string_view(reinterpret_cast<const char*>(data), size));
  SilentNotices notices;
  zr::MacroFileServices services{files, files, notices};

  auto tables = std::make_unique<zr::MacroTables>();
  zr::LoadMacroFile(services, input, *tables);
  zr::LoadConstantMacroFile(services, input, *tables);
  RequireBounded(*tables);

  Require(zr::SaveMacroFile(files, output, *tables));
  auto again = std::make_unique<zr::MacroTables>();
  zr::LoadMacroFile(services, output, *again);
  Require(again->macroCount == tables->macroCount);
  for (int i = 0; i < tables->macroCount; ++i) Require(again->macros[i] == tables->macros[i]);
  return 0;
}
