// The step list: an existing list box whose selected row can be edited in
// place. It takes the list box over by subclassing, because the main window
// creates and destroys the advanced page's controls itself.
#pragma once

#include <windows.h>

#include "macros/InPlaceEdit.h"

namespace zr {

// The small edit laid over the row. It asks its list to end the edit on
// Enter (keep), Escape (discard) and when it loses the focus (keep).
class CEditHelper {
 public:
  CEditHelper() = default;
  CEditHelper(const CEditHelper&) = delete;
  CEditHelper& operator=(const CEditHelper&) = delete;
  ~CEditHelper() { Destroy(); }

  bool Create(HWND list, const RECT& rect, const wchar_t* text);
  void Destroy();
  HWND Window() const { return edit_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND edit_ = nullptr;
  HWND list_ = nullptr;
};

class CEditableListBox {
 public:
  CEditableListBox() = default;
  CEditableListBox(const CEditableListBox&) = delete;
  CEditableListBox& operator=(const CEditableListBox&) = delete;
  ~CEditableListBox() { Detach(); }

  // False when the window cannot be subclassed. The list lets go by itself
  // when its window is destroyed.
  bool Attach(HWND listBox);
  void Detach();
  HWND Window() const { return list_; }

  void BeginEdit();
  void EndEdit(bool keep);
  bool Editing() const { return edit_.Window() != nullptr; }
  HWND EditWindow() const { return edit_.Window(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnSelectedRow(LPARAM point) const;

  HWND list_ = nullptr;
  CEditHelper edit_;
  int editedRow_ = -1;
  InPlaceEditArming arming_;
};

}  // namespace zr
