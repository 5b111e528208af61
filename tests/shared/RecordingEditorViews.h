// The macro editor's controls as plain rows and texts, behaving as the
// window system's list boxes and edits do where the editor relies on it.
#pragma once

#include <string>
#include <vector>

#include "macros/MacroEditorViews.h"
#include "platform/WindowRepaint.h"

namespace zr::test {

class RecordingList final : public StepListView {
 public:
  int RowCount() const override { return static_cast<int>(rows.size()); }
  void AddRow(std::u16string_view text) override { rows.emplace_back(text); }
  void DeleteRow(int row) override {
    if (row < 0 || row >= RowCount()) return;
    rows.erase(rows.begin() + row);
    if (selection == row) selection = -1;
    if (selection > row) --selection;
  }
  std::u16string RowText(int row) const override {
    return row >= 0 && row < RowCount() ? rows[static_cast<std::size_t>(row)] : std::u16string();
  }
  int Selection() const override { return selection; }
  void Select(int row) override { selection = row >= 0 && row < RowCount() ? row : -1; }
  int ItemHeight() const override { return itemHeight; }
  int ScrollPosition() const override { return scroll; }
  PixelRect ScreenBounds() const override { return bounds; }
  void Focus() override { ++focused; }
  void OpenInPlaceEdit() override { ++editsOpened; }

  std::vector<std::u16string> rows;
  int selection = -1;
  int itemHeight = 16;
  int scroll = 0;
  PixelRect bounds{100, 200, 300, 400};
  int focused = 0;
  int editsOpened = 0;
};

class RecordingField final : public TextField {
 public:
  std::u16string Text() const override { return text; }
  void SetText(std::u16string_view value) override { text = value; }
  void SetEnabled(bool value) override { enabled = value; }
  std::u16string text;
  bool enabled = true;
};

class RecordingHook final : public KeyboardHook {
 public:
  bool Install() override {
    ++installs;
    installed = true;
    return true;
  }
  void Remove() override {
    ++removals;
    installed = false;
  }
  bool Installed() const override { return installed; }
  bool installed = false;
  int installs = 0;
  int removals = 0;
};

class EditorRepaintCount final : public WindowRepaint {
 public:
  void RepaintWholeWindow() override { ++requests; }
  int requests = 0;
};

class CountingSaver final : public MacroTableSaver {
 public:
  void SaveMacroTable() override { ++saves; }
  int saves = 0;
};

}  // namespace zr::test
