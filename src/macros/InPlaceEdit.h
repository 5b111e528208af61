// The decisions of the step list's in-place edit: when it may open, where it
// lies, and what its end does to the row and tells the list's parent. The
// list box window only carries them out.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Geometry.h"

namespace zr {

// The list's private messages.
inline constexpr unsigned kEndInPlaceEditMessage = 0x8841;  // wParam 1 keep, 0 discard
inline constexpr unsigned kRowEditedMessage = 0x8840;       // to the parent: row, old text
inline constexpr unsigned kInPlaceEditEndedMessage = 0x0400 + 10;  // to the parent, in its WM_USER range
inline constexpr int kInPlaceEditId = 1;
// Only this character code opens an edit: the editor's Modify Delay sends
// it, and Ctrl+A typed into the list gives it too.
inline constexpr std::uint32_t kEditArmingCode = 1;

// The edit covers the row and two pixels above and below it, so its border
// does not hide the row's text.
PixelRect InPlaceEditRect(PixelRect row);

class InPlaceEditArming {
 public:
  // A character reached the list: it arms the edit with its code.
  void Arm(std::uint32_t code) { armed_ = code; }
  // Asked to begin (right after a character, on Insert released, on a right
  // click on the selected row): only an armed code 1 opens the edit, and it
  // opens it once.
  bool TakeBegin() {
    if (armed_ != kEditArmingCode) return false;
    armed_ = 0;
    return true;
  }

 private:
  std::uint32_t armed_ = 0;
};

struct EditEnd {
  bool operator==(const EditEnd&) const = default;
  bool replaceRow = false;  // the row takes the edit's text, and the parent hears of it
  bool ended = false;       // the edit window goes, and the parent is told the edit ended
};

// What ending the edit does. Nothing without an edit window; a discarded
// edit, or one whose text is the row's, changes no row but still ends.
EditEnd DecideEditEnd(bool editOpen, bool keep, int editedRow, std::u16string_view editText,
                      std::u16string_view rowText);

}  // namespace zr
