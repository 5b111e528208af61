// Any bytes as a macro file, read through the portable profile engine as the
// program reads its files. Beyond crashes it checks what the rest of the
// program relies on: every count and index within the tables whatever the
// file said, and a save and a load giving back exactly what was read.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "MemoryFiles.h"
#include "macros/MacroFile.h"

namespace {

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
  zr::fuzz::MemoryFiles files;
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
