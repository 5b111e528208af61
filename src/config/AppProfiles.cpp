#include "config/AppProfiles.h"

#include <algorithm>

#include "config/ConfigStore.h"
#include "platform/Text.h"

namespace zr {
namespace {

// A file name is at most 255 characters; the separator and the digit follow.
constexpr std::size_t kBindingBuffer = 300;
constexpr std::size_t kNumberBuffer = 5;
constexpr std::size_t kMaxFileName = 255;
constexpr std::u16string_view kCountKey = u"Count";
constexpr std::u16string_view kReturnKey = u"Return";
constexpr char16_t kSeparator = u'|';

std::u16string BindingKey(std::size_t index) { return u"App" + DecimalText(static_cast<std::int64_t>(index)); }

std::u16string_view Trimmed(std::u16string_view text) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// File names compare without case in the file system; beyond ASCII this
// covers the Latin-1, Greek and Cyrillic capitals, which is where program
// names outside ASCII are found in practice.
char16_t FoldNameCase(char16_t c) {
  if (c < 0x80) return FoldCase(c);
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
    return static_cast<char16_t>(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  return c;
}

bool SameProgram(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return FoldNameCase(x) == FoldNameCase(y); });
}

bool ValidFileName(std::u16string_view name) {
  if (name.empty() || name.size() > kMaxFileName || name == u"." || name == u"..") return false;
  constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";
  return std::none_of(name.begin(), name.end(),
                      [&](char16_t c) { return c < 0x20 || kForbidden.find(c) != std::u16string_view::npos; });
}

bool Bindable(std::int32_t configuration) {
  return configuration >= kFirstBindableConfig && configuration <= kLastBindableConfig;
}

}  // namespace

std::u16string ProgramFileName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::optional<std::int32_t> AppBindings::ConfigurationOf(std::u16string_view program) const {
  for (std::size_t i = 0; i < count_; ++i)
    if (SameProgram(bindings_[i].program, program)) return bindings_[i].configuration;
  return std::nullopt;
}

AppBindings::BindResult AppBindings::Bind(std::u16string_view program, std::int32_t configuration) {
  if (!ValidFileName(program) || !Bindable(configuration)) return BindResult::Invalid;
  for (std::size_t i = 0; i < count_; ++i) {
    if (!SameProgram(bindings_[i].program, program)) continue;
    if (bindings_[i].configuration == configuration) return BindResult::Unchanged;
    bindings_[i].configuration = configuration;
    return BindResult::Moved;
  }
  if (count_ == bindings_.size()) return BindResult::Full;
  bindings_[count_++] = AppBinding{std::u16string(program), configuration};
  return BindResult::Added;
}

bool AppBindings::Unbind(std::u16string_view program) {
  for (std::size_t i = 0; i < count_; ++i) {
    if (!SameProgram(bindings_[i].program, program)) continue;
    std::move(bindings_.begin() + static_cast<std::ptrdiff_t>(i) + 1,
              bindings_.begin() + static_cast<std::ptrdiff_t>(count_), bindings_.begin() + static_cast<std::ptrdiff_t>(i));
    bindings_[--count_] = AppBinding{};
    return true;
  }
  return false;
}

std::vector<std::u16string> AppBindings::ProgramsOf(std::int32_t configuration) const {
  std::vector<std::u16string> programs;
  for (std::size_t i = 0; i < count_; ++i)
    if (bindings_[i].configuration == configuration) programs.push_back(bindings_[i].program);
  return programs;
}

std::optional<AppBinding> ParseAppBinding(std::u16string_view value) {
  const std::size_t separator = value.find(kSeparator);
  if (separator == std::u16string_view::npos) return std::nullopt;
  const std::u16string_view name = Trimmed(value.substr(0, separator));
  const std::u16string_view number = Trimmed(value.substr(separator + 1));
  // One digit and nothing else: "3x", "+3" or "03" are not what a save writes.
  if (number.size() != 1 || number[0] < u'0' || number[0] > u'9') return std::nullopt;
  const std::int32_t configuration = number[0] - u'0';
  if (!ValidFileName(name) || !Bindable(configuration)) return std::nullopt;
  return AppBinding{std::u16string(name), configuration};
}

std::u16string AppBindingText(const AppBinding& binding) {
  return binding.program + kSeparator + DecimalText(binding.configuration);
}

std::size_t StoredAppBindingSlots(ProfileFiles& files, std::u16string_view configFile) {
  const std::int32_t count = DecimalValue(files.ReadString(kAppProfilesSection, kCountKey, u"", kNumberBuffer, configFile));
  return static_cast<std::size_t>(std::clamp<std::int32_t>(count, 0, static_cast<std::int32_t>(kMaxAppBindings)));
}

AppBindings LoadAppBindings(ProfileFiles& files, std::u16string_view configFile) {
  AppBindings bindings;
  const std::size_t slots = StoredAppBindingSlots(files, configFile);
  for (std::size_t i = 0; i < slots; ++i) {
    const std::optional<AppBinding> binding =
        ParseAppBinding(files.ReadString(kAppProfilesSection, BindingKey(i), u"", kBindingBuffer, configFile));
    // A program named twice keeps its first line, as a lookup would find it.
    if (binding && !bindings.ConfigurationOf(binding->program)) bindings.Bind(binding->program, binding->configuration);
  }
  return bindings;
}

void SaveAppBindings(ProfileFiles& files, std::u16string_view configFile, const AppBindings& bindings,
                     std::size_t previousCount) {
  for (std::size_t i = 0; i < bindings.Count(); ++i)
    files.WriteString(kAppProfilesSection, BindingKey(i), AppBindingText(bindings[i]), configFile);
  for (std::size_t i = bindings.Count(); i < std::min(previousCount, kMaxAppBindings); ++i)
    files.WriteString(kAppProfilesSection, BindingKey(i), u"", configFile);
  files.WriteString(kAppProfilesSection, kCountKey, DecimalText(static_cast<std::int64_t>(bindings.Count())),
                    configFile);
}

std::int32_t LoadReturnConfiguration(ProfileFiles& files, std::u16string_view configFile) {
  const std::int32_t configuration =
      DecimalValue(files.ReadString(kAppProfilesSection, kReturnKey, u"", kNumberBuffer, configFile));
  return Bindable(configuration) ? configuration : 0;
}

void SaveReturnConfiguration(ProfileFiles& files, std::u16string_view configFile, std::int32_t configuration) {
  files.WriteString(kAppProfilesSection, kReturnKey, Bindable(configuration) ? DecimalText(configuration) : u"",
                    configFile);
}

bool ConfigurationStored(ProfileFiles& files, std::u16string_view configFile, std::int32_t number) {
  // A value is never a line break, so this default tells a missing key from an empty one.
  constexpr std::u16string_view kAbsent = u"\n";
  static constexpr std::u16string_view kKeys[] = {u"K0", u"K1", u"K2", u"K3", u"K4", u"K5", u"DPI_LEVEL",
                                                  u"DPI_SET0", u"DPI_SET_EN0", u"FIRE_TIME"};
  const std::u16string section = ConfigSectionName(number);
  return std::any_of(std::begin(kKeys), std::end(kKeys), [&](std::u16string_view key) {
    return files.ReadString(section, key, kAbsent, kNumberBuffer, configFile) != kAbsent;
  });
}

}  // namespace zr
