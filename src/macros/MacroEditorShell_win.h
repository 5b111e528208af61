// The macro editor on the advanced page of the main window: binds the editor
// to the page's four controls while the page is showing, feeds it the
// window's messages, and owns the step list's in-place edit, the context
// menu and the recorder's keyboard hook.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "macros/EditableListBox_win.h"
#include "macros/KeyboardRecorderHook_win.h"
#include "macros/MacroEditor.h"
#include "platform/ProfileFiles.h"
#include "platform/UserNotices.h"

namespace zr {

struct MacroEditorShellServices {
  MacroTables& tables;
  MacroEditorState& state;
  UserNotices& notices;
  std::u16string messageCaption;  // the caption of "Overflow!!!": the application's title
  ProfileFiles& profiles;
  // The user macro file of the language in use, asked for at each save.
  std::function<std::u16string()> macroFilePath;
};

class MacroEditorShell {
 public:
  explicit MacroEditorShell(MacroEditorShellServices services);
  MacroEditorShell(const MacroEditorShell&) = delete;
  MacroEditorShell& operator=(const MacroEditorShell&) = delete;
  ~MacroEditorShell();

  // The step context menu of the language in use (resource 154 or 161); its
  // sub-menu 0 is tracked. The caller keeps it alive.
  void SetStepContextMenu(HMENU menu) { menu_ = menu; }

  // The page's controls exist: take them over and show the macros.
  void OnAdvancedPageOpened(HWND dialog);
  // Before or after the controls are destroyed. A recording ends here.
  void OnAdvancedPageClosed();

  // Every message of the window's message loop, before the window's own
  // keyboard filter. True when the message was consumed and must go no
  // further: the recorder's posted keys, and every key message while
  // recording.
  bool PreTranslate(MSG& message);
  // WM_COMMAND: the macro list's selection and the step commands. True when
  // handled.
  bool OnCommand(WPARAM wParam, LPARAM lParam);
  // kInPlaceEditEndedMessage from the step list.
  void OnStepDelayCommit() { editor_.CommitStepDelay(); }
  // kRecorderKeyMessage, for a window that sees it in its procedure rather
  // than in PreTranslate (never both).
  void OnHookMessage(WPARAM wParam, LPARAM lParam);
  // The window is going or the utility exits: no key stays captured.
  void Shutdown();
  // The macro tables are about to be reloaded or replaced (language switch,
  // import, factory reset): a delay being typed is kept in the table it was
  // typed for, the recording ends and the hook goes, so nothing recorded
  // before the reload lands in a table loaded after it.
  void EndEditingBeforeReload();

  // The advanced page's skin buttons: entries 2, 3, 4, 5 and 6.
  void AddOrSelectMacro() { editor_.AddOrSelectMacro(); }
  void DeleteMacro() { editor_.DeleteMacro(); }
  void ToggleRecording() { editor_.ToggleRecording(); }
  void CommitRepeatCount() { editor_.CommitRepeatCount(); }
  void ToggleRepeatMode() { editor_.ToggleRepeatMode(); }
  // After macros were loaded, imported or reset while the page shows.
  void RefillMacroList() { editor_.RefillMacroList(); }

  MacroEditor& Editor() { return editor_; }
  CEditableListBox& StepList() { return stepList_; }

 private:
  class Views;
  class Repaint final : public WindowRepaint {
   public:
    void RepaintWholeWindow() override;
    HWND window = nullptr;
  };
  class Saver final : public MacroTableSaver {
   public:
    explicit Saver(MacroEditorShellServices& services) : services_(services) {}
    void SaveMacroTable() override;

   private:
    MacroEditorShellServices& services_;
  };

  MacroEditorShellServices services_;
  Repaint repaint_;
  Saver saver_;
  Win32KeyboardHook hook_;
  MacroEditor editor_;
  CEditableListBox stepList_;
  std::unique_ptr<Views> views_;
  HWND dialog_ = nullptr;
  HMENU menu_ = nullptr;
};

}  // namespace zr
