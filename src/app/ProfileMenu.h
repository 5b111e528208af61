// The menu a right-click on a Profile 1–5 spot opens: bind a program to that
// configuration, or remove one of the programs bound to it. The texts and
// what a chosen item means are decided here; the shell shows the menu in the
// skin's owner-drawn look and asks for the program with the open-file dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/AppProfiles.h"
#include "skin/SkinLayout.h"
#include "skin/UiState.h"

namespace zr {

inline constexpr std::uint32_t kProfileMenuUseForProgram = 1;
inline constexpr std::uint32_t kProfileMenuFirstProgram = 100;  // + the program's place in the menu

// The configuration (1..5) of the Profile spot at a client point, 0 when the
// point is on no Profile spot; the spots are part of every page's header.
std::int32_t ProfileSpotAt(const SkinLayouts& skin, Page page, std::int32_t x, std::int32_t y);

struct ProfileMenuItem {
  std::u16string text;
  std::uint32_t command = 0;  // 0: a separator
  bool operator==(const ProfileMenuItem&) const = default;
};

std::vector<ProfileMenuItem> ProfileMenuItems(const AppBindings& bindings, std::int32_t configuration,
                                              std::uint8_t languageFlag);

struct ProfileMenuChoice {
  enum class Kind : std::uint8_t { Nothing, AskForProgram, Remove };
  Kind kind = Kind::Nothing;
  std::u16string program;  // Remove: the program whose binding goes
};
ProfileMenuChoice DecodeProfileMenuCommand(const AppBindings& bindings, std::int32_t configuration,
                                           std::uint32_t command);

// The open-file dialog's filter, as the common dialogs take it: pairs of
// strings, each ended by a null character.
std::u16string ProgramFileFilter(std::uint8_t languageFlag);
// Shown when a 33rd program is to be bound.
std::u16string TooManyBindingsMessage(std::uint8_t languageFlag);

}  // namespace zr
