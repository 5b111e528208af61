// What the macro editor asks of the windows it works with. The editor decides
// every row, selection and text; these only carry them to the controls, so
// the editor runs the same against the real list boxes and against a test's
// recording views.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace zr {

// An unsorted list box.
class ListView {
 public:
  virtual ~ListView() = default;
  virtual int RowCount() const = 0;
  virtual void AddRow(std::u16string_view text) = 0;
  virtual void DeleteRow(int row) = 0;
  virtual std::u16string RowText(int row) const = 0;
  virtual int Selection() const = 0;  // -1 when no row is selected
  // A row that does not exist leaves no row selected.
  virtual void Select(int row) = 0;
  virtual int ItemHeight() const = 0;
  virtual int ScrollPosition() const = 0;  // the vertical scroll bar's position
  virtual PixelRect ScreenBounds() const = 0;  // the client area, in screen co-ordinates
  virtual void Focus() = 0;
};

// The step list: a list box whose selected row can be edited in place.
class StepListView : public ListView {
 public:
  // Gives the list the character code that arms its in-place edit; the edit
  // then opens on the list's selected row.
  virtual void OpenInPlaceEdit() = 0;
};

// A single-line edit.
class TextField {
 public:
  virtual ~TextField() = default;
  virtual std::u16string Text() const = 0;
  virtual void SetText(std::u16string_view text) = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// The system-wide keyboard hook that feeds the recorder while it records.
class KeyboardHook {
 public:
  virtual ~KeyboardHook() = default;
  virtual bool Install() = 0;
  virtual void Remove() = 0;
  virtual bool Installed() const = 0;
};

// Writes the macro table to the user's macro file.
class MacroTableSaver {
 public:
  virtual ~MacroTableSaver() = default;
  virtual void SaveMacroTable() = 0;
};

}  // namespace zr
