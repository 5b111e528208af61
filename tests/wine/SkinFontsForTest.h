// The two fonts of the skin's texts, as the main window creates them at
// start-up, for painting pages outside the window.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"

namespace zr::test {

struct SkinFontsForTest {
  UniqueFont english{::CreateFontW(14, 7, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_CHARACTER_PRECIS,
                                   CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_ROMAN, L"Consolas")};
  UniqueFont chinese{::CreateFontW(12, 6, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"宋体")};
  HFONT Current(std::uint8_t languageFlag) const { return languageFlag != 0 ? english.get() : chinese.get(); }
};

}  // namespace zr::test
