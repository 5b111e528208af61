// The barrier on the procedures the system calls: an exception thrown in a
// handler stops there, whether the message was sent or came through the
// message loop, leaves one debug-output line naming what was caught, and the
// system gets the procedure's safe default.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/Dialog.h"
#include "platform/win32/ExceptionBarrier.h"
#include "resource.h"

namespace zr::test {
namespace {

std::vector<std::wstring> recorded;

class RecordedLines {
 public:
  RecordedLines() : previous_(SetExceptionRecorder([](const wchar_t* line) { recorded.emplace_back(line); })) {
    recorded.clear();
  }
  ~RecordedLines() { SetExceptionRecorder(previous_); }

 private:
  ExceptionRecorder previous_;
};

constexpr UINT kThrowStandard = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;
constexpr UINT kAnswer = WM_APP + 3;

class ThrowingDialog final : public Dialog {
 protected:
  std::span<const MessageEntry> Messages() const override {
    static const std::array<MessageEntry, 4> kMessages = {{
        {WM_INITDIALOG, On(&ThrowingDialog::OnInitDialog)},
        {kThrowStandard, On(&ThrowingDialog::OnThrowStandard)},
        {kThrowOther, On(&ThrowingDialog::OnThrowOther)},
        {kAnswer, On(&ThrowingDialog::OnAnswer)},
    }};
    return kMessages;
  }

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM) { return TRUE; }
  INT_PTR OnThrowStandard(WPARAM, LPARAM) { throw std::runtime_error("the handler lost its file"); }
  INT_PTR OnThrowOther(WPARAM, LPARAM) { throw 42; }
  INT_PTR OnAnswer(WPARAM, LPARAM) {
    ::SetWindowLongPtrW(Window(), DWLP_MSGRESULT, 7);
    return TRUE;
  }
};

void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

TEST(ExceptionBarrier, ADialogHandlerThatThrowsLeavesTheMessageUnhandledAndALineInTheDebugOutput) {
  RecordedLines lines;
  ThrowingDialog dialog;
  HWND window = dialog.CreateModeless(::GetModuleHandleW(nullptr), IDD_ABOUTBOX, nullptr);
  ASSERT_NE(window, nullptr);

  ::SetWindowLongPtrW(window, DWLP_MSGRESULT, 5);
  EXPECT_EQ(::SendMessageW(window, kThrowStandard, 0, 0), 0) << "a thrown message counts as unhandled";
  ASSERT_EQ(recorded.size(), 1u);
  EXPECT_NE(recorded[0].find(L"dialog procedure"), std::wstring::npos) << recorded[0];
  EXPECT_NE(recorded[0].find(L"the handler lost its file"), std::wstring::npos) << recorded[0];
  EXPECT_EQ(recorded[0].back(), L'\n');

  // Through the message loop, and something that is no std::exception.
  ASSERT_TRUE(::PostMessageW(window, kThrowOther, 0, 0));
  PumpMessages();
  ASSERT_EQ(recorded.size(), 2u);
  EXPECT_NE(recorded[1].find(L"not a std::exception"), std::wstring::npos) << recorded[1];

  // The window goes on handling messages as before.
  EXPECT_EQ(::SendMessageW(window, kAnswer, 0, 0), 7);
  EXPECT_EQ(recorded.size(), 2u);
  ::DestroyWindow(window);
  EXPECT_EQ(dialog.Window(), nullptr);
}

// A window procedure's default is the system's own handling: the answer the
// caller gets is the one the window would have given without the handler.
LRESULT CALLBACK ThrowingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ExceptionBarrier(
      "test window procedure",
      [&]() -> LRESULT {
        if (message == WM_GETTEXTLENGTH) throw std::length_error("no length today");
        return ::DefWindowProcW(window, message, wParam, lParam);
      },
      [&] { return ::DefWindowProcW(window, message, wParam, lParam); });
}

TEST(ExceptionBarrier, AWindowProcedureThatThrowsAnswersWithTheSystemsDefault) {
  RecordedLines lines;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ThrowingProcedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZrThrowingWindow";
  ASSERT_NE(::RegisterClassW(&windowClass), 0);
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"twelve chars", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 12);
  ASSERT_EQ(recorded.size(), 1u);
  EXPECT_NE(recorded[0].find(L"test window procedure: no length today"), std::wstring::npos) << recorded[0];
  ::DestroyWindow(window);
  ::UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}

// OutputDebugString hands its text to a debugger as an exception a vectored
// handler sees first, wide or narrow; no debugger is needed to read it.
std::vector<std::string> debugOutput;

LONG CALLBACK SeeDebugOutput(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  constexpr DWORD kNarrow = 0x40010006, kWide = 0x4001000A;  // DBG_PRINTEXCEPTION_C, _WIDE_C
  if (record.ExceptionCode == kWide && record.NumberParameters >= 2) {
    const auto* text = reinterpret_cast<const wchar_t*>(record.ExceptionInformation[1]);
    debugOutput.emplace_back();
    for (; *text != L'\0'; ++text) debugOutput.back().push_back(static_cast<char>(*text));
  } else if (record.ExceptionCode == kNarrow && record.NumberParameters >= 2) {
    debugOutput.emplace_back(reinterpret_cast<const char*>(record.ExceptionInformation[1]));
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

TEST(ExceptionBarrier, WithoutARecorderOfItsOwnTheLineGoesToTheDebugOutput) {
  {
    RecordedLines lines;  // put in and taken out again: the debug output is back
  }
  recorded.clear();
  debugOutput.clear();
  void* handler = ::AddVectoredExceptionHandler(1, SeeDebugOutput);
  ASSERT_NE(handler, nullptr);
  const LRESULT answer = ExceptionBarrier(
      "test procedure", []() -> LRESULT { throw std::runtime_error("for the debugger"); }, [] { return LRESULT{3}; });
  ::RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(answer, 3);
  EXPECT_TRUE(recorded.empty());
  bool seen = false;
  for (const std::string& line : debugOutput) seen = seen || line.find("test procedure: for the debugger") != std::string::npos;
  EXPECT_TRUE(seen) << debugOutput.size() << " debug lines, none from the barrier";
}

}  // namespace
}  // namespace zr::test
