#include "macros/InPlaceEdit.h"

namespace zr {

PixelRect InPlaceEditRect(PixelRect row) {
  row.top -= 2;
  row.bottom += 2;
  return row;
}

EditEnd DecideEditEnd(bool editOpen, bool keep, int editedRow, std::u16string_view editText,
                      std::u16string_view rowText) {
  if (!editOpen) return {};
  return {keep && editedRow >= 0 && editText != rowText, true};
}

}  // namespace zr
