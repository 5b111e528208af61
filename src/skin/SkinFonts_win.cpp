#include "skin/SkinFonts_win.h"

namespace zr {

void SkinFonts::Create() {
  english_.reset(::CreateFontW(14, 7, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_CHARACTER_PRECIS,
                               CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_ROMAN, L"Consolas"));
  chinese_.reset(::CreateFontW(12, 6, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"\u5B8B\u4F53"));
}

}  // namespace zr
