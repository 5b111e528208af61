// Any bytes as a profile file for the portable engine: parsing, lookups,
// reads through small buffers, a write, and the rewrite. Beyond crashes it
// checks that a read never returns more than its buffer holds, that a write
// reads back, and that a file the engine wrote is written again unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/IniEngine.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zr::IniDocument document = zr::ParseIni(bytes);

  for (const zr::IniSection& section : document.sections) {
    for (const zr::IniKey& key : section.keys) {
      const zr::IniKey* found = zr::FindIniKey(document, section.name, key.name);
      if (found == nullptr || !found->value) continue;
      for (std::size_t buffer : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3},
                                 found->value->size(), found->value->size() + 1}) {
        const std::u16string read = zr::CopyProfileEntry(*found->value, buffer);
        Require(read.size() + 1 <= (buffer == 0 ? 1 : buffer));
      }
    }
  }

  zr::SetIniValue(document, u"Macros", u"macroNum", u"7");
  const zr::IniKey* written = zr::FindIniKey(document, u"Macros", u"macroNum");
  Require(written != nullptr && written->value && *written->value == u"7");

  // A rewrite of what the engine wrote changes nothing, but for what the
  // system's functions lose too: a header "[]" is not written, so its keys
  // join the section before; and dropped blank lines can leave text that
  // starts like a byte-order mark, which the next read takes as one.
  const bool namelessHeader = std::any_of(document.sections.begin() + 1, document.sections.end(),
                                          [](const zr::IniSection& section) { return section.name.empty(); });
  const std::string once = zr::SerializeIni(document);
  const zr::IniDocument reread = zr::ParseIni(once);
  const std::string twice = zr::SerializeIni(reread);
  Require(namelessHeader || reread.encoding != document.encoding || once == twice);
  return 0;
}
