#include "macros/EditableListBox_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <utility>

#include "platform/win32/ExceptionBarrier.h"
#include "platform/win32/PixelRects.h"

namespace zr {
namespace {

constexpr UINT_PTR kSubclassId = 0x2D05;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring RowText(HWND list, int row) {
  const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

}  // namespace

bool CEditHelper::Create(HWND list, const RECT& rect, const wchar_t* text) {
  Destroy();
  HWND edit = ::CreateWindowExW(0, L"EDIT", text, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, list,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInPlaceEditId)),
                                reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(list, GWLP_HINSTANCE)), nullptr);
  if (edit == nullptr) return false;
  ::SetWindowLongPtrW(edit, GWL_EXSTYLE, ::GetWindowLongPtrW(edit, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  ::SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (!::SetWindowSubclass(edit, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    ::DestroyWindow(edit);
    return false;
  }
  edit_ = edit;
  list_ = list;
  return true;
}

void CEditHelper::Destroy() {
  // Forgotten before it goes: destroying the focused edit takes its focus,
  // and the end request that brings must find no edit to end again.
  if (HWND edit = std::exchange(edit_, nullptr)) {
    ::RemoveWindowSubclass(edit, Procedure, kSubclassId);
    ::DestroyWindow(edit);
  }
}

LRESULT CALLBACK CEditHelper::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
  return ExceptionBarrier(
      "step list's edit procedure",
      [&] { return reinterpret_cast<CEditHelper*>(self)->OnMessage(window, message, wParam, lParam); },
      [&] { return ::DefSubclassProc(window, message, wParam, lParam); });
}

LRESULT CEditHelper::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      // Enter and Escape belong to the edit, not to the dialog's buttons.
      return ::DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYUP:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        // The list destroys this window while handling the request; nothing
        // here may touch it afterwards.
        ::SendMessageW(list_, kEndInPlaceEditMessage, wParam == VK_RETURN ? 1 : 0, 0);
        return 0;
      }
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      if (edit_ == window) ::SendMessageW(list_, kEndInPlaceEditMessage, 1, 0);
      return result;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(window, Procedure, kSubclassId);
      if (edit_ == window) edit_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

bool CEditableListBox::Attach(HWND listBox) {
  Detach();
  if (listBox == nullptr || !::SetWindowSubclass(listBox, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  list_ = listBox;
  editedRow_ = -1;
  arming_ = {};
  return true;
}

void CEditableListBox::Detach() {
  if (list_ == nullptr) return;
  // Going with the page: nobody is left to hear of the edit's end.
  edit_.Destroy();
  editedRow_ = -1;
  ::RemoveWindowSubclass(list_, Procedure, kSubclassId);
  list_ = nullptr;
}

void CEditableListBox::BeginEdit() {
  if (list_ == nullptr || !arming_.TakeBegin()) return;
  const LRESULT row = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
  RECT item{};
  if (row == LB_ERR || ::SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
    return;
  const RECT rect = ToRect(InPlaceEditRect(FromRect(item)));
  const std::wstring text = RowText(list_, static_cast<int>(row));
  if (!edit_.Create(list_, rect, text.c_str())) return;
  HWND edit = edit_.Window();
  ::SendMessageW(edit, WM_SETFONT, ::SendMessageW(list_, WM_GETFONT, 0, 0), TRUE);
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::SetFocus(edit);
  editedRow_ = static_cast<int>(row);
}

void CEditableListBox::EndEdit(bool keep) {
  HWND edit = edit_.Window();
  const int row = editedRow_;
  const std::wstring editText = edit != nullptr ? WindowText(edit) : std::wstring();
  const std::wstring rowText = row >= 0 ? RowText(list_, row) : std::wstring();
  const EditEnd end = DecideEditEnd(edit != nullptr, keep, row,
                                    std::u16string_view(reinterpret_cast<const char16_t*>(editText.data()), editText.size()),
                                    std::u16string_view(reinterpret_cast<const char16_t*>(rowText.data()), rowText.size()));
  if (!end.ended) return;
  HWND parent = ::GetParent(list_);
  if (end.replaceRow) {
    ::SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    const bool sorted = (::GetWindowLongPtrW(list_, GWL_STYLE) & LBS_SORT) != 0;
    const LRESULT placed = sorted ? ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(editText.c_str()))
                                  : ::SendMessageW(list_, LB_INSERTSTRING, static_cast<WPARAM>(row),
                                                   reinterpret_cast<LPARAM>(editText.c_str()));
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(placed), 0);
    if ((::GetWindowLongPtrW(list_, GWL_STYLE) & LBS_NOTIFY) != 0)
      ::SendMessageW(parent, kRowEditedMessage, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(rowText.c_str()));
  }
  editedRow_ = -1;
  // The list takes the focus back only from its own edit, never from a
  // window the user has just clicked.
  const bool hadFocus = ::GetFocus() == edit;
  edit_.Destroy();
  if (hadFocus) ::SetFocus(list_);
  ::SendMessageW(parent, kInPlaceEditEndedMessage, 0, 0);
}

bool CEditableListBox::OnSelectedRow(LPARAM point) const {
  const LRESULT row = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
  RECT item{};
  if (row == LB_ERR || ::SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
    return false;
  const POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  return ::PtInRect(&item, p) != FALSE;
}

LRESULT CALLBACK CEditableListBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
  auto* list = reinterpret_cast<CEditableListBox*>(self);
  if (list->list_ != window) return ::DefSubclassProc(window, message, wParam, lParam);
  return ExceptionBarrier(
      "step list's procedure", [&] { return list->OnMessage(message, wParam, lParam); },
      [&] { return ::DefSubclassProc(window, message, wParam, lParam); });
}

LRESULT CEditableListBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = list_;
  switch (message) {
    case WM_CHAR:
      arming_.Arm(static_cast<std::uint32_t>(wParam));
      BeginEdit();
      if (Editing()) return 0;
      break;
    case WM_KEYUP:
      if (wParam == VK_INSERT) BeginEdit();
      break;
    case WM_RBUTTONUP:
      if (OnSelectedRow(lParam)) BeginEdit();
      break;
    case kEndInPlaceEditMessage:
      EndEdit(wParam != 0);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_SIZE:
      EndEdit(true);
      break;
    case WM_DESTROY:
      // The page is closing: the edit goes quietly, before its own
      // destruction could ask to end it into a list that is going too.
      edit_.Destroy();
      editedRow_ = -1;
      break;
    case WM_NCDESTROY: {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      Detach();
      return result;
    }
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace zr
