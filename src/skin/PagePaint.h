// The paint of the main window's three pages: the page's normal image as the
// base, spots overlaid from its hovered and pressed images according to the
// cursor and the configuration, the DPI bars, and every text on top.
#pragma once

#include <cstdint>
#include <string>

#include "config/ConfigRecord.h"
#include "macros/MacroEditorState.h"
#include "macros/MacroRecord.h"
#include "skin/Canvas.h"
#include "skin/SkinLayout.h"
#include "skin/UiState.h"

namespace zr {

inline constexpr Rgb kTextWhite{255, 255, 255};
inline constexpr Rgb kTextRed{255, 0, 0};
// Level 1 blue, 2 magenta, 3 red, 4 violet.
inline constexpr Rgb kDpiLevelColours[kDpiLevels] = {{0, 0, 255}, {255, 0, 255}, {255, 0, 0}, {128, 0, 255}};

struct PaintInputs {
  const UiState& ui;
  const ColourPreviewState& preview;
  const ConfigRecord& config;
  const MacroTables& macros;
  const MacroEditorState& editor;
  const SkinLayouts& skin;
  std::uint8_t languageFlag = 0;    // nonzero English
  std::int32_t currentConfig = 0;  // 1..5 in use
  std::int32_t width = 0;          // the drawing size of the window
  std::int32_t height = 0;
};

// Every drawing operation of one paint, in order, onto a canvas that already
// holds the active page's normal image.
void ComposePage(Canvas& canvas, const PaintInputs& in);

// The text of a mouse-button field or pop-up item for a function code: the
// skin's name of the function, or the user macro's own name; empty for a
// code that is not in the function table.
std::u16string ButtonFunctionLabel(std::int32_t code, const FunctionNames& names, const MacroTables& macros);

}  // namespace zr
