// A portable reader and writer of profile files with the visible behaviour of
// the Windows profile functions, for builds and tests without them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AtomicFiles.h"
#include "platform/ProfileFiles.h"
#include "platform/ProfileWriter.h"

namespace zr {

enum class IniEncoding : std::uint8_t {
  Ansi,      // no byte-order mark; kept byte for byte (UTF-8 when valid, else one unit per byte)
  Utf8Bom,   // EF BB BF
  Utf16Le,   // FF FE
  Utf16Be,   // FE FF
};

struct IniKey {
  std::u16string name;
  std::optional<std::u16string> value;  // absent for a line without '='
};

struct IniSection {
  std::u16string name;  // empty only for the lines before the first header
  std::vector<IniKey> keys;
};

struct IniDocument {
  IniEncoding encoding = IniEncoding::Ansi;
  bool ansiAsUtf8 = true;
  std::vector<IniSection> sections;  // sections[0] is the unnamed leading part
};

IniDocument ParseIni(std::string_view bytes);
std::string SerializeIni(const IniDocument& document);

// Value lookup with the profile functions' trimming and case rules; nullptr
// when the section or key is absent.
const IniKey* FindIniKey(const IniDocument& document, std::u16string_view section, std::u16string_view key);

// Applies one write; returns whether the document changed.
bool SetIniValue(IniDocument& document, std::u16string_view section, std::u16string_view key,
                 std::u16string_view value);

// What a read hands back through a buffer of `bufferSize` characters: one
// pair of surrounding quotes removed, truncated to bufferSize - 1.
std::u16string CopyProfileEntry(std::u16string_view value, std::size_t bufferSize);

// A whole read as the profile functions do it, on the document of a file;
// nullptr stands for a missing file.
std::u16string ReadProfileEntry(const IniDocument* document, std::u16string_view section, std::u16string_view key,
                                std::u16string_view defaultValue, std::size_t bufferSize);

// Reads and writes through the engine; every write replaces the file whole.
class PortableProfileFiles final : public ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue,
                            std::size_t bufferSize, std::u16string_view path) override;
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override;
  bool WriteStrings(std::span<const ProfileWrite> writes, std::u16string_view path) override;

 private:
  PortableAtomicFiles files_;
  ProfileWriter writer_{files_};
};

}  // namespace zr
