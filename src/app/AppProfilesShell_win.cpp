#include "app/AppProfilesShell_win.h"

#include <commdlg.h>

#include <array>

#include "app/ProfileMenu.h"
#include "platform/win32/WideText.h"

namespace zr {

AppProfilesShell::AppProfilesShell(AppState& state, ProfileFiles& files, UserNotices& notices,
                                   std::function<void()> download)
    : state_(state), files_(files), notices_(notices), download_(std::move(download)) {}

void AppProfilesShell::Start(HWND window) {
  window_ = window;
  follower_.emplace(ProfileFollowerContext{files_, state_.paths.ConfigFile(), state_.config, state_.currentConfig,
                                           state_.languageFlag, download_},
                    watch_, watch_);
  follower_->SetAnnouncer(announcer_);
  watch_.Watch(window, [this](ForegroundProgram program, std::uint32_t eventTime) {
    follower_->ForegroundChanged(std::move(program), eventTime);
  });
  HWND front = ::GetForegroundWindow();
  follower_->Start(front != nullptr ? ProgramOfWindow(front) : ForegroundProgram{true, {}});
}

void AppProfilesShell::SetAnnouncer(ProfileSwitchAnnouncer announcer) {
  announcer_ = std::move(announcer);
  if (follower_) follower_->SetAnnouncer(announcer_);
}

void AppProfilesShell::ConfigurationChosen() {
  if (follower_) follower_->ConfigurationChosen();
}

void AppProfilesShell::Applied() {
  if (follower_) follower_->Applied();
}

void AppProfilesShell::FactoryResetDone() {
  if (follower_) follower_->FactoryResetDone();
}

bool AppProfilesShell::OnTimer(WPARAM timerId) {
  if (!watch_.OnTimer(timerId)) return false;
  if (follower_) follower_->TimerElapsed();
  return true;
}

void AppProfilesShell::OnRightButtonUp(std::int32_t x, std::int32_t y) {
  const std::int32_t configuration = ProfileSpotAt(state_.skin, state_.ui.currentPage, x, y);
  if (configuration == 0 || window_ == nullptr || !follower_) return;
  HMENU popup = ::CreatePopupMenu();
  if (popup == nullptr) return;
  for (const ProfileMenuItem& item : ProfileMenuItems(follower_->Bindings(), configuration, state_.languageFlag)) {
    const std::wstring text = Wide(item.text);
    if (item.command == 0) ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    else ::AppendMenuW(popup, MF_STRING, item.command, text.c_str());
  }
  menu_.Adopt(popup);  // drawn in the skin's colours, like the other menus
  POINT at{x, y};
  ::ClientToScreen(window_, &at);
  const auto command = static_cast<std::uint32_t>(::TrackPopupMenu(
      menu_.Handle(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
      window_, nullptr));
  const ProfileMenuChoice choice = DecodeProfileMenuCommand(follower_->Bindings(), configuration, command);
  switch (choice.kind) {
    case ProfileMenuChoice::Kind::Nothing: return;
    case ProfileMenuChoice::Kind::AskForProgram: AskForProgram(configuration); return;
    case ProfileMenuChoice::Kind::Remove: follower_->Unbind(choice.program); return;
  }
}

void AppProfilesShell::AskForProgram(std::int32_t configuration) {
  std::array<wchar_t, 1024> file{};
  const std::wstring filter = Wide(ProgramFileFilter(state_.languageFlag));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (!::GetOpenFileNameW(&dialog)) return;
  if (follower_->Bind(FromWide(file.data()), configuration) == AppBindings::BindResult::Full)
    notices_.ShowMessage(TooManyBindingsMessage(state_.languageFlag));
}

}  // namespace zr
