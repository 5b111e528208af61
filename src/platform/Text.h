// Text helpers shared by every subsystem: decimal conversion as the stored
// files need it, and UTF-16 <-> UTF-8 at the edges of the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zr {

// Reads a decimal integer the way the C runtime's _wtoi does: leading blanks,
// at most one sign, then digits up to the first other character. Text without
// digits gives 0. Unlike some runtimes it saturates at the int32 limits instead
// of overflowing on long digit strings.
std::int32_t DecimalValue(std::u16string_view text);

// "%d" formatting.
std::u16string DecimalText(std::int64_t value);

// Lossless for valid input; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);
// Malformed sequences become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);
// Whether the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// ASCII-only case folding, as used for section and key lookups.
char16_t FoldCase(char16_t c);
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

// The file name of a module path without its directory and its extension
// ("C:\\Tools\\ZR305.exe" gives "ZR305"): the caption the utility's message
// boxes carry, as the application frameworks give it.
std::u16string ExecutableBaseName(std::u16string_view modulePath);

}  // namespace zr
