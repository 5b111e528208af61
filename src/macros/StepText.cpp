#include "macros/StepText.h"

#include "macros/KeyCodes.h"
#include "platform/Text.h"

namespace zr {

std::u16string DelayRowText(std::uint16_t delay) {
  std::u16string row = u"    ";
  return row.append(DecimalText(delay)).append(u"ms");
}

std::u16string KeyRowText(MacroEvent event) {
  std::u16string row;
  if (event.action == kKeyPress) row = u"[\u2193]";
  if (event.action == kKeyRelease) row = u"[\u2191]";
  return row.append(KeyCodeName(event.key));
}

StepRows StepText(const MacroRecord& record, std::size_t k) {
  if (k >= kMacroEventSlots) return {};
  StepRows rows;
  if (k > 0) rows.delayRow = DelayRowText(record.delays[k - 1]);
  rows.keyRow = KeyRowText(record.events[k]);
  return rows;
}

}  // namespace zr
