#include "skin/SkinReader.h"

#include <algorithm>

#include "platform/Text.h"

namespace zr {

SplitSkinValue SplitSkinFields(std::u16string_view value) {
  SplitSkinValue split;
  split.tooManyCommas = std::ranges::count(value, u',') > 6;
  if (value.find(u',') == std::u16string_view::npos) {
    split.fields[0] = std::u16string(value);
    return split;
  }
  std::size_t start = 0;
  for (std::u16string& field : split.fields) {
    const std::size_t comma = value.find(u',', start);
    if (comma == std::u16string_view::npos) break;
    field = std::u16string(value.substr(start, comma - start));
    start = comma + 1;
  }
  return split;
}

bool SkinValueReader::RequireFile(std::u16string_view path) {
  if (services_.files.Exists(path)) return true;
  if (!exitRequested_) {
    exitRequested_ = true;
    services_.notices.ShowMessage(kMissingFileMessage);
    services_.exit.RequestExit();
  }
  return false;
}

bool SkinValueReader::AllFilesPresent(std::span<const std::u16string> paths) {
  for (const std::u16string& path : paths) {
    if (!services_.files.Exists(path)) {
      services_.notices.ShowMessage(kMissingFileMessage);
      return false;
    }
  }
  return true;
}

SkinFields SkinValueReader::ReadSkinValue(std::u16string_view path, std::u16string_view section, std::int32_t n) {
  if (!RequireFile(path)) return {};
  const std::u16string value =
      services_.profiles.ReadString(section, DecimalText(n), u"", kSkinValueBufferSize, path);
  SplitSkinValue split = SplitSkinFields(value);
  // Each box is modal: a file of malformed values must not stack one per entry.
  if (split.tooManyCommas && !malformedReported_) {
    malformedReported_ = true;
    services_.notices.ShowMessage(kMalformedSkinValueMessage);
  }
  return std::move(split.fields);
}

namespace {

constexpr std::u16string_view kSpotSection = u"BUTTONPOS";

SkinEntry EntryOf(SkinFields& fields) {
  return {DecimalValue(fields[1]), DecimalValue(fields[2]), DecimalValue(fields[3]), DecimalValue(fields[4]),
          std::move(fields[5])};
}

// A missing file leaves the whole table zero, as if every key were missing.
template <std::size_t N>
bool LoadSpots(SkinValueReader& reader, std::u16string_view path, std::array<SkinEntry, N>& layout) {
  reader.BeginFileLoad();
  if (!reader.RequireFile(path)) {
    layout.fill(SkinEntry{});
    return false;
  }
  for (std::size_t i = 0; i < N; ++i) {
    SkinFields fields = reader.ReadSkinValue(path, kSpotSection, static_cast<std::int32_t>(i));
    layout[i] = EntryOf(fields);
  }
  return true;
}

PixelRect ControlRect(SkinValueReader& reader, std::u16string_view path, std::u16string_view section, std::int32_t n) {
  SkinFields fields = reader.ReadSkinValue(path, section, n);
  return EntryOf(fields).Rect();
}

}  // namespace

bool LoadMainLayout(SkinValueReader& reader, std::u16string_view path, MainLayout& layout, FunctionNames& names) {
  names = FunctionNames{};
  if (!LoadSpots(reader, path, layout)) return false;
  for (std::int32_t key = FunctionNames::kFirstKey; key <= FunctionNames::kLastKey; ++key)
    names.Set(key, std::move(reader.ReadSkinValue(path, u"FUN_STRING", key)[0]));
  return true;
}

bool LoadAdvancedLayout(SkinValueReader& reader, std::u16string_view path, AdvancedLayout& layout,
                        AdvancedControlRects& controls) {
  controls = AdvancedControlRects{};
  if (!LoadSpots(reader, path, layout)) return false;
  controls.repeatCountEdit = ControlRect(reader, path, u"EDIT", 3);
  controls.macroNameEdit = ControlRect(reader, path, u"EDIT", 4);
  controls.macroList = ControlRect(reader, path, u"MACRODISPLAY", 1);
  controls.stepList = ControlRect(reader, path, u"MACRODISPLAY", 2);
  return true;
}

bool LoadColorLayout(SkinValueReader& reader, std::u16string_view path, ColorLayout& layout) {
  return LoadSpots(reader, path, layout);
}

bool LoadWarningLayout(SkinValueReader& reader, std::u16string_view path, WarningLayout& layout) {
  return LoadSpots(reader, path, layout);
}

bool LoadPageLayouts(SkinValueReader& reader, const SkinPaths& paths, std::uint8_t languageFlag, SkinLayouts& skin) {
  return LoadMainLayout(reader, paths.SkinLayout(SkinLayoutFile::Main, languageFlag), skin.main,
                        skin.functionNames) &&
         LoadColorLayout(reader, paths.SkinLayout(SkinLayoutFile::Color, languageFlag), skin.color) &&
         LoadAdvancedLayout(reader, paths.SkinLayout(SkinLayoutFile::Advanced, languageFlag), skin.advanced,
                            skin.controls);
}

bool LoadWarningLayout(SkinValueReader& reader, const SkinPaths& paths, std::uint8_t languageFlag, SkinLayouts& skin) {
  return LoadWarningLayout(reader, paths.SkinLayout(SkinLayoutFile::Warning, languageFlag), skin.warning);
}

}  // namespace zr
