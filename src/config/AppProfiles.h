// Programs bound to stored configurations: when a bound program comes to the
// front, its configuration goes into the mouse. Kept in config.ini, section
// AppProfiles: Count=n, App<i>=<file name>|<configuration 1..5>, and Return,
// the configuration to go back to while a binding is in force.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProfileFiles.h"

namespace zr {

inline constexpr std::size_t kMaxAppBindings = 32;
inline constexpr std::int32_t kFirstBindableConfig = 1;
inline constexpr std::int32_t kLastBindableConfig = 5;
inline constexpr std::u16string_view kAppProfilesSection = u"AppProfiles";

struct AppBinding {
  std::u16string program;  // an executable's file name, without its folder
  std::int32_t configuration = 0;
  bool operator==(const AppBinding&) const = default;
};

// The file name of an executable's path ("C:\\Games\\game.exe" gives
// "game.exe"); the empty text when the path ends in a separator.
std::u16string ProgramFileName(std::u16string_view path);

// Program names are compared as the file system compares file names: without
// regard to case.
class AppBindings {
 public:
  enum class BindResult : std::uint8_t { Added, Moved, Unchanged, Full, Invalid };

  std::optional<std::int32_t> ConfigurationOf(std::u16string_view program) const;
  // A program has at most one binding: binding it again moves it.
  BindResult Bind(std::u16string_view program, std::int32_t configuration);
  bool Unbind(std::u16string_view program);
  // In the order they were bound.
  std::vector<std::u16string> ProgramsOf(std::int32_t configuration) const;
  std::size_t Count() const { return count_; }
  const AppBinding& operator[](std::size_t index) const { return bindings_[index]; }

 private:
  std::array<AppBinding, kMaxAppBindings> bindings_{};
  std::size_t count_ = 0;
};

// One App<i> value; nullopt when it is not "<file name>|<1..5>".
std::optional<AppBinding> ParseAppBinding(std::u16string_view value);
std::u16string AppBindingText(const AppBinding& binding);

// What the section holds; a malformed line, a repeated program and anything
// beyond the 32nd binding are left out, never fatal.
AppBindings LoadAppBindings(ProfileFiles& files, std::u16string_view configFile);
// Writes Count and App0..App<n-1>; keys left over from a longer table are
// emptied, so no stale binding comes back if Count is edited by hand.
void SaveAppBindings(ProfileFiles& files, std::u16string_view configFile, const AppBindings& bindings,
                     std::size_t previousCount);
// How many App<i> keys the section may hold now (Count as written, bounded).
std::size_t StoredAppBindingSlots(ProfileFiles& files, std::u16string_view configFile);

// Return: the configuration the person made current, kept while a binding
// is in force so that a crash is undone at the next start. 0 when none.
std::int32_t LoadReturnConfiguration(ProfileFiles& files, std::u16string_view configFile);
void SaveReturnConfiguration(ProfileFiles& files, std::u16string_view configFile, std::int32_t configuration);

// Whether config.ini holds configuration `number` at all: a binding to a
// section that is not there would load a record of zeros.
bool ConfigurationStored(ProfileFiles& files, std::u16string_view configFile, std::int32_t number);

}  // namespace zr
