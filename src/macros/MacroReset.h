// The macro step of the factory reset: the factory macros of the current
// language become the user's macros, in memory and in the user macro file.
#pragma once

#include <cstdint>
#include <functional>

#include "macros/MacroFile.h"
#include "macros/MacroPaths.h"

namespace zr {

// `showReloadedTable` runs after the defaults are in memory and before they
// are saved; the macro editor refills its list there when the advanced page
// is showing. Without the default macro file the user is told and nothing
// changes: saving an empty table over the user's macros would lose them
// without giving anything back. True when the defaults are in memory and in
// the user macro file.
bool ResetMacros(MacroFileServices& services, const MacroPaths& paths, std::uint8_t languageFlag, MacroTables& tables,
                 const std::function<void()>& showReloadedTable);

}  // namespace zr
