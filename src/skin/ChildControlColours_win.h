// The colours of the advanced page's edit and list controls: the skin's dark
// background with white text in the skin's font.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"

namespace zr {

inline constexpr COLORREF kChildControlBackground = RGB(63, 58, 54);
inline constexpr COLORREF kChildControlText = RGB(255, 255, 255);

class ChildControlColours {
 public:
  ChildControlColours() : brush_(::CreateSolidBrush(kChildControlBackground)) {}

  // For WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX and WM_CTLCOLORSTATIC: sets up the
  // control's DC and gives the brush the dialog returns. The brush lives as
  // long as this object, one for the window's life.
  HBRUSH Apply(HDC controlDc, HFONT font) const {
    if (font != nullptr) ::SelectObject(controlDc, font);
    ::SetBkColor(controlDc, kChildControlBackground);
    ::SetTextColor(controlDc, kChildControlText);
    return brush_.get();
  }

 private:
  UniqueBrush brush_;
};

}  // namespace zr
