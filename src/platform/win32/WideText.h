// The core's UTF-16 text and the Windows API's wchar_t text are the same units.
#pragma once

#include <string>
#include <string_view>

namespace zr {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string FromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace zr
