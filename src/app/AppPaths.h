// The application directory and the data paths formed from it: always the
// directory plus a literal that begins with a backslash, never relative to
// the current folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "macros/MacroPaths.h"
#include "skin/SkinPaths.h"

namespace zr {

// The module path as a 260-character buffer returns it (at most 259
// characters), cut just before its last backslash; no backslash gives "".
std::u16string ApplicationDirectoryFromModulePath(std::u16string_view modulePath);

struct AppPaths {
  std::u16string applicationDirectory;

  std::u16string ConfigFile() const { return applicationDirectory + u"\\config.ini"; }
  std::u16string SkinFolder() const { return applicationDirectory + u"\\skins"; }
  std::u16string MacroFile(std::uint8_t languageFlag) const {
    return applicationDirectory + (languageFlag != 0 ? u"\\Macro_EN.dat" : u"\\Macro_CN.dat");
  }
  std::u16string ConstantMacroFile() const { return applicationDirectory + u"\\constMacro.dat"; }
  std::u16string DefaultMacroFile(std::uint8_t languageFlag) const {
    return SkinFolder() + (languageFlag != 0 ? u"\\INI_EN\\defMacro.dat" : u"\\INI_CN\\defMacro.dat");
  }
  std::u16string MaskImage() const { return SkinFolder() + u"\\main_mask.jpg"; }
  std::u16string SkinLayout(SkinLayoutFile file, std::uint8_t languageFlag) const {
    return SkinFolder() + std::u16string(SkinLayoutFileName(file, languageFlag));
  }
  // `file` is one of the image strings of the skin, beginning with a backslash.
  std::u16string SkinImage(std::u16string_view file) const { return SkinFolder() + std::u16string(file); }

  // The few paths each subsystem needs, so that none of them reaches back here.
  operator SkinPaths() const { return {SkinFolder()}; }
  operator LanguageSwitchPaths() const;
  operator MacroPaths() const { return {MacroFile(1), MacroFile(0), DefaultMacroFile(1), DefaultMacroFile(0)}; }
};

inline constexpr std::u16string_view kMainWindowTitle = u"ZR305 Gaming Mouse Driver";
inline constexpr std::u16string_view kInstanceMutexName = u"CKVX_GMouseApp";
inline constexpr std::size_t kMaxPath = 260;

inline AppPaths::operator LanguageSwitchPaths() const {
  return {ConfigFile(), SkinPaths(*this), MacroFile(1), MacroFile(0), std::u16string(kMainWindowTitle)};
}

}  // namespace zr
