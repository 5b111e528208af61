// The two text fonts of the skin, created once for the window's life:
// child controls and skin texts use the one of the current language.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win32/Handles.h"

namespace zr {

class SkinFonts {
 public:
  // Both fonts, whatever the language.
  void Create();
  // Created at once, for painting outside the main window's start-up.
  static SkinFonts Created() {
    SkinFonts fonts;
    fonts.Create();
    return fonts;
  }
  // The English font for a nonzero language flag, else the Chinese font.
  HFONT Current(std::uint8_t languageFlag) const { return languageFlag != 0 ? english_.get() : chinese_.get(); }

 private:
  UniqueFont english_;
  UniqueFont chinese_;
};

}  // namespace zr
