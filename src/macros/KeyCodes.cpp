#include "macros/KeyCodes.h"

#include <array>
#include <string>

#include "platform/Text.h"

namespace zr {
namespace {

// A run of keys whose codes and virtual keys both count up: letters, digits,
// function keys, keypad digits. Their names are formed from the code.
struct KeyRun {
  std::uint8_t firstCode, lastCode, firstVirtualKey;
};
constexpr KeyRun kRuns[] = {
    {4, 29, 'A'}, {30, 38, '1'}, {39, 39, '0'}, {58, 69, 0x70}, {89, 97, 0x61}, {98, 98, 0x60}, {104, 115, 0x7C},
};

// Keys one by one; a virtual key equal to the code means the key has none
// and the code passes through.
struct SingleKey {
  std::uint8_t code, virtualKey;
  std::u16string_view name;
};
constexpr SingleKey kSingles[] = {
    {40, 0x0D, u"RETURN"},   {41, 0x1B, u"ESCAPE"},   {42, 0x08, u"BACK"},      {43, 0x09, u"TAB"},
    {44, 0x20, u"SPACE"},    {45, 0xBD, u"-"},        {46, 0xBB, u"+"},         {47, 0xDB, u"[{"},
    {48, 0xDD, u"]}"},       {49, 0xDC, u"\\|"},      {50, 0xC0, u"`~"},        {51, 0xBA, u";:"},
    {52, 0xDE, u" ' "},      {54, 0xBC, u","},        {55, 0xBE, u"."},         {56, 0xBF, u"/?"},
    {57, 0x14, u"CAPITAL"},  {70, 0x2C, u"SNAPSHOT"}, {71, 0x91, u"SCROLL"},    {72, 0x13, u"PAUSE"},
    {73, 0x2D, u"INSERT"},   {74, 0x24, u"HOME"},     {75, 0x21, u"PRIOR"},     {76, 0x2E, u"DELETE"},
    {77, 0x23, u"END"},      {78, 0x22, u"NEXT"},     {79, 0x27, u"RIGHT"},     {80, 0x25, u"LEFT"},
    {81, 0x28, u"DOWN"},     {82, 0x26, u"UP"},       {83, 0x90, u"NUMLOCK"},   {84, 0x6F, u"DIVIDE"},
    {85, 0x6A, u"MULTIPLY"}, {86, 0x6D, u"SUBTRACT"}, {87, 0x6B, u"ADD"},       {99, 0x6E, u"DECIMAL"},
    {101, 0x5D, u"APPS"},    {116, 0x2B, u"EXECUTE"}, {117, 0x2F, u"HELP"},     {118, 118, u"MENU"},
    {119, 0x29, u"SELECT"},  {156, 0x0C, u"CLEAR"},   {159, 0x6C, u"SEPARATOR"}, {224, 0xA2, u"LCONTROL"},
    {225, 0xA0, u"LSHIFT"},  {226, 0xA4, u"LMENU"},   {227, 0x5B, u"LWIN"},     {228, 0xA3, u"RCONTROL"},
    {229, 0xA1, u"RSHIFT"},  {230, 0xA5, u"RMENU"},   {231, 0x5C, u"RWIN"},
    {kLeftButtonKey, kLeftButtonKey, u"L-KEY"},       {kRightButtonKey, kRightButtonKey, u"R-KEY"},
    {kMiddleButtonKey, kMiddleButtonKey, u"M-KEY"},
};

using ByteMap = std::array<std::uint8_t, 256>;

struct KeyMaps {
  ByteMap virtualKeyOfCode;
  ByteMap codeOfVirtualKey;
};

constexpr KeyMaps kMaps = [] {
  KeyMaps maps{};
  for (std::size_t i = 0; i < 256; ++i) {
    maps.virtualKeyOfCode[i] = static_cast<std::uint8_t>(i);
    maps.codeOfVirtualKey[i] = static_cast<std::uint8_t>(i);
  }
  ByteMap codeSeen{}, virtualKeySeen{};
  int pairs = 0;
  auto pair = [&](int code, int virtualKey) {
    // Neither column may repeat a value, or the maps would not be inverse.
    if (codeSeen[code]++ != 0 || virtualKeySeen[virtualKey]++ != 0) throw "a key is paired twice";
    maps.virtualKeyOfCode[code] = static_cast<std::uint8_t>(virtualKey);
    maps.codeOfVirtualKey[virtualKey] = static_cast<std::uint8_t>(code);
    ++pairs;
  };
  for (const KeyRun& run : kRuns)
    for (int code = run.firstCode; code <= run.lastCode; ++code) pair(code, run.firstVirtualKey + code - run.firstCode);
  for (const SingleKey& key : kSingles)
    if (key.virtualKey != key.code) pair(key.code, key.virtualKey);
  if (pairs != 120) throw "the key table pairs exactly 120 codes";
  return maps;
}();

// Built by appending: GCC 12 warns falsely about a literal + a temporary string.
std::u16string Numbered(std::u16string prefix, int number) {
  prefix += DecimalText(number);
  return prefix;
}

std::u16string NameOf(int code) {
  if (code >= 4 && code <= 29) return std::u16string(1, static_cast<char16_t>(code + 61));
  if (code >= 30 && code <= 38) return Numbered(u"", code - 29);
  if (code == 39) return u"0";
  if (code >= 58 && code <= 69) return Numbered(u"F", code - 57);
  if (code >= 89 && code <= 97) return Numbered(u"NUMPAD", code - 88);
  if (code == 98) return u"NUMPAD0";
  if (code >= 104 && code <= 115) return Numbered(u"F", code - 91);
  for (const SingleKey& key : kSingles)
    if (key.code == code) return std::u16string(key.name);
  return u"NON-AVAILABLE";
}

}  // namespace

std::uint8_t KeyCodeFromVirtualKey(std::uint8_t virtualKey) { return kMaps.codeOfVirtualKey[virtualKey]; }

std::uint8_t VirtualKeyFromKeyCode(std::uint8_t keyCode) { return kMaps.virtualKeyOfCode[keyCode]; }

std::u16string_view KeyCodeName(std::uint8_t keyCode) {
  static const std::array<std::u16string, 256> kNames = [] {
    std::array<std::u16string, 256> names;
    for (int code = 0; code < 256; ++code) names[code] = NameOf(code);
    return names;
  }();
  return kNames[keyCode];
}

}  // namespace zr
