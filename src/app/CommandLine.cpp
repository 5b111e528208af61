#include "app/CommandLine.h"

#include <string>

namespace zr {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameSwitch(std::u16string_view word, std::u16string_view name) {
  if (word.size() != name.size() + 1 || (word[0] != u'/' && word[0] != u'-')) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (Lower(word[i + 1]) != name[i]) return false;
  return true;
}

}  // namespace

StartMode ParseCommandLine(std::u16string_view arguments) {
  StartMode mode = StartMode::Window;
  std::size_t at = 0;
  while (at < arguments.size()) {
    while (at < arguments.size() && IsBlank(arguments[at])) ++at;
    // A quoted word ("/tray" as a shortcut may write it) is the same switch.
    std::u16string word;
    bool quoted = false;
    while (at < arguments.size() && (quoted || !IsBlank(arguments[at]))) {
      if (arguments[at] == u'"')
        quoted = !quoted;
      else
        word += arguments[at];
      ++at;
    }
    if (SameSwitch(word, u"exit")) return StartMode::EndRunning;
    if (SameSwitch(word, u"tray")) mode = StartMode::Tray;
  }
  return mode;
}

}  // namespace zr
