// Carries out the input core's steps on the main window (app/InputSteps.h),
// one at a time: invalidation, the window drag, file dialogs, the pop-ups,
// the advanced page's child windows. What belongs to other parts of the
// window goes through hooks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/AppState.h"
#include "app/InputSteps.h"
#include "app/MainWindowInput.h"
#include "platform/FileQueries.h"
#include "platform/ProfileFiles.h"
#include "platform/UserNotices.h"
#include "macros/InPlaceEdit.h"
#include "platform/win32/Handles.h"
#include "skin/PopupMenus_win.h"

namespace zr {

// The main window's other parts, as far as a click reaches them. Every
// hook does nothing until the window gives it a body.
class MainWindowInputHooks {
 public:
  virtual ~MainWindowInputHooks() = default;
  // Apply, and the end of the factory reset.
  virtual void Download() {}
  virtual void SwitchLanguage(std::uint8_t /*languageFlag*/) {}
  // The running flag is set already; the worker clears it as it ends.
  virtual void StartColourPreview() {}
  // The macro editor.
  virtual void AddOrSelectMacro() {}
  virtual void DeleteMacro() {}
  virtual void ToggleRecording() {}
  virtual void ToggleRepeatMode() {}
  virtual void CommitRepeatCount() {}
  // kInPlaceEditEndedMessage: the step list's in-place edit has ended.
  virtual void CommitStepDelay() {}
  // The page's four controls exist now / are about to go.
  virtual void AdvancedPageOpened() {}
  virtual void AdvancedPageClosed() {}
  // The macro table was replaced (import, reset) while the page shows.
  virtual void MacrosReloaded() {}
  // The skin font of the current language, for the pop-ups' texts.
  virtual HFONT SkinFont() const { return nullptr; }
  // The person's own choices of configuration: a Profile 1–5 click, and
  // after their downloads, Apply and the factory reset.
  virtual void ConfigurationChosen() {}
  virtual void Applied() {}
  virtual void FactoryResetDone() {}
  // The tables are about to be reloaded or replaced: end the recording and
  // any in-place delay edit, and remove the keyboard hook.
  virtual void EndMacroEditing() {}
};

struct MainWindowInputServices {
  ProfileFiles& profiles;
  FileQueries& files;
  UserNotices& notices;
};

class MainWindowInput {
 public:
  MainWindowInput(HINSTANCE instance, AppState& state, const SkinLayouts& skin, MainWindowInputServices services,
                  MainWindowInputHooks& hooks);
  MainWindowInput(const MainWindowInput&) = delete;
  MainWindowInput& operator=(const MainWindowInput&) = delete;
  ~MainWindowInput();

  // Once the window exists. The region is the advanced-page paint region,
  // owned by the window; without one the whole window is repainted.
  void Attach(HWND window);
  void SetAdvancedPaintRegion(HRGN region) { advancedRegion_ = region; }

  // Message handlers; each returns what the dialog procedure returns.
  INT_PTR OnMouseMove(WPARAM, LPARAM);
  INT_PTR OnLButtonDown(WPARAM, LPARAM);
  INT_PTR OnLButtonUp(WPARAM, LPARAM);
  INT_PTR OnStepDelayCommit(WPARAM, LPARAM);  // kInPlaceEditEndedMessage
  // The keyboard filter; true when the message is swallowed.
  bool PreTranslate(const MSG& message) const;

  // The main window's paint calls this first: a sub-menu choice closes the main menu.
  void ConsumeChoiceFinished();

  // The four control objects of the advanced page, without windows: those
  // are created each time the page opens and destroyed when it closes.
  void CreateControlObjects() { controls_ = {}; }

 private:
  InputModel Model();
  void Execute(const InputRequest& request);
  StepOutcome Perform(const InputStep& step);
  void Repaint(RepaintArea area);
  void UpdateNow();
  void PlacePopup(std::int32_t entry);
  void CreateAdvancedControls();
  void DestroyAdvancedControls();
  StepOutcome AskFile(bool save, FileKind kind);

  HINSTANCE instance_;
  AppState& state_;
  const SkinLayouts& skin_;
  MainWindowInputServices services_;
  MainWindowInputHooks& hooks_;
  HWND window_ = nullptr;
  HRGN advancedRegion_ = nullptr;
  PopupMenus popups_;
  struct AdvancedPageControls {
    UniqueWindow repeatCountEdit;
    UniqueWindow macroNameEdit;
    UniqueWindow macroList;
    UniqueWindow stepList;  // the editable step list attaches to it
  } controls_;
};

}  // namespace zr
