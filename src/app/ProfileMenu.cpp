#include "app/ProfileMenu.h"

#include "app/MainWindowInput.h"
#include "platform/Text.h"

namespace zr {
namespace {

constexpr std::int32_t kFirstProfileEntry = 4;  // main entries 4..8 are Profile 1..5

}  // namespace

std::int32_t ProfileSpotAt(const SkinLayouts& skin, Page page, std::int32_t x, std::int32_t y) {
  const std::int32_t entry = HitTest(skin.main, page == Page::Main ? kMainPageLastEntry : kHeaderLastEntry, x, y);
  const std::int32_t configuration = entry - (kFirstProfileEntry - kFirstBindableConfig);
  return configuration >= kFirstBindableConfig && configuration <= kLastBindableConfig ? configuration : 0;
}

std::vector<ProfileMenuItem> ProfileMenuItems(const AppBindings& bindings, std::int32_t configuration,
                                              std::uint8_t languageFlag) {
  const bool english = languageFlag != 0;
  std::vector<ProfileMenuItem> items;
  items.push_back({english ? u"Use for a program\u2026" : u"用于程序\u2026", kProfileMenuUseForProgram});
  const std::vector<std::u16string> programs = bindings.ProgramsOf(configuration);
  if (programs.empty()) return items;
  items.push_back({u"", 0});
  const std::u16string prefix = english ? u"Remove " : u"移除 ";
  for (std::size_t i = 0; i < programs.size(); ++i)
    items.push_back({prefix + programs[i], kProfileMenuFirstProgram + static_cast<std::uint32_t>(i)});
  return items;
}

ProfileMenuChoice DecodeProfileMenuCommand(const AppBindings& bindings, std::int32_t configuration,
                                           std::uint32_t command) {
  if (command == kProfileMenuUseForProgram) return {ProfileMenuChoice::Kind::AskForProgram, {}};
  if (command < kProfileMenuFirstProgram) return {};
  const std::vector<std::u16string> programs = bindings.ProgramsOf(configuration);
  const std::size_t index = command - kProfileMenuFirstProgram;
  if (index >= programs.size()) return {};
  return {ProfileMenuChoice::Kind::Remove, programs[index]};
}

std::u16string ProgramFileFilter(std::uint8_t languageFlag) {
  using namespace std::string_literals;
  return languageFlag != 0 ? u"Programs (*.exe)\0*.exe\0"s : u"程序 (*.exe)\0*.exe\0"s;
}

std::u16string TooManyBindingsMessage(std::uint8_t languageFlag) {
  const std::u16string limit = DecimalText(static_cast<std::int64_t>(kMaxAppBindings));
  return languageFlag != 0 ? u"At most " + limit + u" programs can have a profile of their own."
                           : u"最多只能为 " + limit + u" 个程序指定配置。";
}

}  // namespace zr
