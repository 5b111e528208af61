#include "config/IndicatorSetting.h"

#include "platform/Text.h"

namespace zr {
namespace {
constexpr std::u16string_view kSection = u"Init";
constexpr std::u16string_view kKey = u"OSD";
constexpr std::u16string_view kMissing = u"-";  // no number reads as this
constexpr std::size_t kBuffer = 5;
}  // namespace

bool ReadIndicatorEnabled(ProfileFiles& files, std::u16string_view configFile) {
  const std::u16string text = files.ReadString(kSection, kKey, kMissing, kBuffer, configFile);
  if (text == kMissing) return true;
  return DecimalValue(text) != 0;
}

bool SaveIndicatorEnabled(ProfileFiles& files, std::u16string_view configFile, bool enabled) {
  return files.WriteString(kSection, kKey, enabled ? u"1" : u"0", configFile);
}

}  // namespace zr
