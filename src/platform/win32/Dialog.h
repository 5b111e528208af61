// A modal or modeless dialog whose messages go through a table of handlers.
// One dialog procedure for all; `this` travels in the creation parameter, and
// no exception ever crosses back into the window system (ExceptionBarrier.h).
#pragma once

#include <windows.h>

#include <span>

namespace zr {

class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog() = default;

  // Runs the dialog from its template; returns when the window is gone.
  INT_PTR DoModal(HINSTANCE instance, int templateId, HWND parent);
  // Creates the dialog from its template for a message loop of the caller's
  // own; nullptr when the window did not outlive its initialisation.
  HWND CreateModeless(HINSTANCE instance, int templateId, HWND parent);
  // The same from a copy of the template without WS_VISIBLE: the window
  // exists and initialises, but nothing shows it until someone asks.
  HWND CreateModelessHidden(HINSTANCE instance, int templateId, HWND parent);
  HWND Window() const { return window_; }

 protected:
  using Handler = INT_PTR (Dialog::*)(WPARAM, LPARAM);
  struct MessageEntry {
    UINT message;
    Handler handler;
  };
  template <typename Derived>
  static Handler On(INT_PTR (Derived::*handler)(WPARAM, LPARAM)) {
    return static_cast<Handler>(handler);
  }

  // The derived class's table; messages not in it get the default handling.
  virtual std::span<const MessageEntry> Messages() const = 0;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

}  // namespace zr
