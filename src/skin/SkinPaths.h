// Where the skin's layout files lie, and what a language switch writes and
// reads: passed in by the application, which forms every path from its
// directory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zr {

// The four skin layout files; each exists in an English and a Chinese variant.
enum class SkinLayoutFile : std::uint8_t { Main, Advanced, Color, Warning };
inline constexpr SkinLayoutFile kAllSkinLayoutFiles[] = {SkinLayoutFile::Main, SkinLayoutFile::Color,
                                                         SkinLayoutFile::Advanced, SkinLayoutFile::Warning};

// The file string under the skin folder; a nonzero language flag is English.
std::u16string_view SkinLayoutFileName(SkinLayoutFile file, std::uint8_t languageFlag);

struct SkinPaths {
  std::u16string skinFolder;

  std::u16string SkinLayout(SkinLayoutFile file, std::uint8_t languageFlag) const {
    return skinFolder + std::u16string(SkinLayoutFileName(file, languageFlag));
  }
};

// What a language switch writes and reloads, and the window title it sets
// again (the same in both languages).
struct LanguageSwitchPaths {
  std::u16string configFile;
  SkinPaths skin;
  std::u16string englishMacroFile;
  std::u16string chineseMacroFile;
  std::u16string mainWindowTitle;

  const std::u16string& MacroFile(std::uint8_t languageFlag) const {
    return languageFlag != 0 ? englishMacroFile : chineseMacroFile;
  }
};

}  // namespace zr
