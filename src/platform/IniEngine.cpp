#include "platform/IniEngine.h"

#include "platform/Text.h"

namespace zr {
namespace {

bool IsProfileSpace(char16_t c) {
  if ((c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A) return true;  // ^Z counts: old DOS files end with it
  return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
         c == 0x202F || c == 0x205F || c == 0x3000;
}

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    // An odd trailing byte still makes a character, as if the file went on with a zero byte.
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    out.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : first | (second << 8)));
  }
  return out;
}

void AppendUtf16(std::string& out, std::u16string_view text, bool bigEndian) {
  for (char16_t c : text) {
    const char lo = static_cast<char>(c & 0xFF);
    const char hi = static_cast<char>(c >> 8);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  }
}

std::u16string DecodeText(std::string_view bytes, IniDocument& document) {
  auto starts = [&](std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; };
  if (starts("\xEF\xBB\xBF")) {
    document.encoding = IniEncoding::Utf8Bom;
    return Utf16FromUtf8(bytes.substr(3));
  }
  if (starts("\xFF\xFE")) {
    document.encoding = IniEncoding::Utf16Le;
    return DecodeUtf16(bytes.substr(2), false);
  }
  if (starts("\xFE\xFF")) {
    document.encoding = IniEncoding::Utf16Be;
    return DecodeUtf16(bytes.substr(2), true);
  }
  document.encoding = IniEncoding::Ansi;
  document.ansiAsUtf8 = IsValidUtf8(bytes);
  if (document.ansiAsUtf8) return Utf16FromUtf8(bytes);
  // Not UTF-8: one character per byte, so that writing the file back keeps
  // every byte. Through unsigned char: a plain char would sign-extend bytes
  // from 0x80 up into characters that no byte can write back.
  std::u16string text;
  text.reserve(bytes.size());
  for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
  return text;
}

std::string EncodeText(std::u16string_view text, const IniDocument& document) {
  std::string out;
  switch (document.encoding) {
    case IniEncoding::Utf8Bom:
      return "\xEF\xBB\xBF" + Utf8FromUtf16(text);
    case IniEncoding::Utf16Le:
      out = "\xFF\xFE";
      AppendUtf16(out, text, false);
      return out;
    case IniEncoding::Utf16Be:
      out = "\xFE\xFF";
      AppendUtf16(out, text, true);
      return out;
    case IniEncoding::Ansi:
      break;
  }
  if (document.ansiAsUtf8) return Utf8FromUtf16(text);
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  return out;
}

IniSection* FindSection(IniDocument& document, std::u16string_view name) {
  // An empty name finds the lines before the first header.
  for (IniSection& section : document.sections)
    if (EqualsIgnoringCase(section.name, name)) return &section;
  return nullptr;
}

IniKey* FindKey(IniSection& section, std::u16string_view name) {
  for (IniKey& key : section.keys)
    if (EqualsIgnoringCase(key.name, name)) return &key;
  return nullptr;
}

}  // namespace

IniDocument ParseIni(std::string_view bytes) {
  IniDocument document;
  const std::u16string text = DecodeText(bytes, document);
  document.sections.emplace_back();
  IniSection* current = &document.sections.back();
  const IniKey* previous = nullptr;

  std::size_t next = 0;
  while (next < text.size()) {
    // A line ends at CR or LF, and any run of them ends it.
    const std::size_t lineStart = next;
    std::size_t lineEnd = text.find_first_of(u"\r\n", lineStart);
    if (lineEnd == std::u16string::npos) lineEnd = text.size();
    next = text.find_first_not_of(u"\r\n", lineEnd);
    if (next == std::u16string::npos) next = text.size();
    std::u16string_view line = Trim(std::u16string_view(text).substr(lineStart, lineEnd - lineStart));
    if (line.empty()) continue;

    if (line.front() == u'[') {
      const std::size_t close = line.rfind(u']');
      if (close != std::u16string_view::npos) {
        document.sections.push_back(IniSection{std::u16string(Trim(line.substr(1, close - 1))), {}});
        current = &document.sections.back();
        previous = nullptr;
        continue;
      }
      // A header without ']' is read as an ordinary line.
    }

    std::u16string_view name = line;
    std::optional<std::u16string> value;
    const std::size_t equals = line.find(u'=');
    if (equals != std::u16string_view::npos) {
      name = Trim(line.substr(0, equals));
      value = std::u16string(Trim(line.substr(equals + 1)));
    }
    // Several nameless lines in a row keep only the first.
    if (!name.empty() || previous == nullptr || !previous->name.empty()) {
      current->keys.push_back(IniKey{std::u16string(name), std::move(value)});
      previous = &current->keys.back();
    }
  }
  return document;
}

namespace {

bool StartsWithByteOrderMark(std::string_view bytes) {
  return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

}  // namespace

std::string SerializeIni(const IniDocument& document) {
  std::u16string text;
  for (const IniSection& section : document.sections) {
    if (!section.name.empty()) text += u"[" + section.name + u"]\r\n";
    for (const IniKey& key : section.keys) {
      text += key.name;
      if (key.value) text += u"=" + *key.value;
      text += u"\r\n";
    }
  }
  std::string bytes = EncodeText(text, document);
  // Blank lines are not kept, so a file that had them in front of bytes
  // that look like a byte-order mark would come back as another encoding:
  // one line break in front keeps it what it was.
  if (document.encoding == IniEncoding::Ansi && StartsWithByteOrderMark(bytes)) bytes.insert(0, "\r\n");
  return bytes;
}

const IniKey* FindIniKey(const IniDocument& document, std::u16string_view section, std::u16string_view key) {
  auto* found = FindSection(const_cast<IniDocument&>(document), Trim(section));
  return found ? FindKey(*found, Trim(key)) : nullptr;
}

bool SetIniValue(IniDocument& document, std::u16string_view section, std::u16string_view key,
                 std::u16string_view value) {
  section = Trim(section);
  key = Trim(key);
  value = Trim(value);
  if (document.sections.empty()) document.sections.emplace_back();

  IniSection* target = FindSection(document, section);
  if (target == nullptr) {
    document.sections.push_back(IniSection{std::u16string(section), {}});
    target = &document.sections.back();
  }
  IniKey* entry = FindKey(*target, key);
  if (entry == nullptr) {
    target->keys.push_back(IniKey{std::u16string(key), std::nullopt});
    entry = &target->keys.back();
  }
  if (entry->value && *entry->value == value) return false;
  entry->value = std::u16string(value);
  return true;
}

std::u16string CopyProfileEntry(std::u16string_view value, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  bool quoted = false;
  if (value.size() >= 2 && (value.front() == u'\'' || value.front() == u'"') && value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::u16string out(value.substr(0, bufferSize - 1));
  // The closing quote goes only when the buffer held the whole value; a cut
  // value loses its last character instead, as the Windows functions do.
  if (quoted && bufferSize >= value.size() && !out.empty()) out.pop_back();
  return out;
}

std::u16string ReadProfileEntry(const IniDocument* document, std::u16string_view section, std::u16string_view key,
                                std::u16string_view defaultValue, std::size_t bufferSize) {
  while (!defaultValue.empty() && defaultValue.back() == u' ') defaultValue.remove_suffix(1);
  if (key.empty()) return {};
  const IniKey* found = document != nullptr ? FindIniKey(*document, section, key) : nullptr;
  return CopyProfileEntry(found && found->value ? std::u16string_view(*found->value) : defaultValue, bufferSize);
}

std::u16string PortableProfileFiles::ReadString(std::u16string_view section, std::u16string_view key,
                                                std::u16string_view defaultValue, std::size_t bufferSize,
                                                std::u16string_view path) {
  if (key.empty()) return {};
  std::optional<std::string> bytes;
  {
    const std::unique_lock<std::mutex> lock = LockProfileFile(path);
    bytes = files_.ReadAll(path);
  }
  if (!bytes) return ReadProfileEntry(nullptr, section, key, defaultValue, bufferSize);
  const IniDocument document = ParseIni(*bytes);
  return ReadProfileEntry(&document, section, key, defaultValue, bufferSize);
}

bool PortableProfileFiles::WriteString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view value, std::u16string_view path) {
  const ProfileWrite write{std::u16string(section), std::u16string(key), std::u16string(value)};
  return writer_.Write(std::span(&write, 1), path);
}

bool PortableProfileFiles::WriteStrings(std::span<const ProfileWrite> writes, std::u16string_view path) {
  return writer_.Write(writes, path);
}

}  // namespace zr
