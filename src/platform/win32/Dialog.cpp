#include "platform/win32/Dialog.h"

#include <cstring>
#include <vector>

#include "platform/win32/ExceptionBarrier.h"

namespace zr {

INT_PTR Dialog::DoModal(HINSTANCE instance, int templateId, HWND parent) {
  return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), parent, Procedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(HINSTANCE instance, int templateId, HWND parent) {
  HWND window = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, Procedure,
                                     reinterpret_cast<LPARAM>(this));
  return window != nullptr && ::IsWindow(window) ? window : nullptr;
}

HWND Dialog::CreateModelessHidden(HINSTANCE instance, int templateId, HWND parent) {
  HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));  // RT_DIALOG
  HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  const DWORD size = resource != nullptr ? ::SizeofResource(instance, resource) : 0;
  if (bytes == nullptr || size < sizeof(DLGTEMPLATE)) return nullptr;
  std::vector<BYTE> copy(static_cast<const BYTE*>(bytes), static_cast<const BYTE*>(bytes) + size);
  // An extended template (version 1, signature 0xFFFF) keeps its style after
  // the version, signature, help id and extended style; a plain one starts with it.
  WORD version = 0, signature = 0;
  std::memcpy(&version, copy.data(), sizeof version);
  std::memcpy(&signature, copy.data() + sizeof version, sizeof signature);
  const std::size_t styleAt = version == 1 && signature == 0xFFFF ? 12 : 0;
  if (copy.size() < styleAt + sizeof(DWORD)) return nullptr;
  DWORD style = 0;
  std::memcpy(&style, copy.data() + styleAt, sizeof style);
  style &= ~static_cast<DWORD>(WS_VISIBLE);
  std::memcpy(copy.data() + styleAt, &style, sizeof style);
  HWND window = ::CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), parent,
                                             Procedure, reinterpret_cast<LPARAM>(this));
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
  // A handler that throws leaves the message unhandled: the default handling takes it.
  const INT_PTR result = ExceptionBarrier(
      "dialog procedure",
      [&]() -> INT_PTR {
        for (const MessageEntry& entry : self->Messages())
          if (entry.message == message) return (self->*entry.handler)(wParam, lParam);
        return FALSE;
      },
      [] { return INT_PTR{FALSE}; });
  if (message == WM_NCDESTROY) self->window_ = nullptr;
  return result;
}

}  // namespace zr
