// The macro files of both languages, passed in by the application, which
// forms every path from its directory.
#pragma once

#include <cstdint>
#include <string>

namespace zr {

struct MacroPaths {
  std::u16string englishMacroFile;
  std::u16string chineseMacroFile;
  std::u16string englishDefaultMacroFile;
  std::u16string chineseDefaultMacroFile;

  // A nonzero language flag is English.
  const std::u16string& MacroFile(std::uint8_t languageFlag) const {
    return languageFlag != 0 ? englishMacroFile : chineseMacroFile;
  }
  const std::u16string& DefaultMacroFile(std::uint8_t languageFlag) const {
    return languageFlag != 0 ? englishDefaultMacroFile : chineseDefaultMacroFile;
  }
};

}  // namespace zr
