#include "platform/win32/Dialog.h"

namespace zr {

INT_PTR Dialog::DoModal(HINSTANCE instance, int templateId, HWND parent) {
  return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), parent, Procedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(HINSTANCE instance, int templateId, HWND parent) {
  HWND window = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, Procedure,
                                     reinterpret_cast<LPARAM>(this));
  return window != nullptr && ::IsWindow(window) ? window : nullptr;
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->window_ = window;
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
  }
  if (self == nullptr) return FALSE;
  INT_PTR result = FALSE;
  try {
    for (const MessageEntry& entry : self->Messages()) {
      if (entry.message == message) {
        result = (self->*entry.handler)(wParam, lParam);
        break;
      }
    }
  } catch (...) {
    result = FALSE;  // the window system cannot take an exception; the message counts as unhandled
  }
  if (message == WM_NCDESTROY) self->window_ = nullptr;
  return result;
}

}  // namespace zr
