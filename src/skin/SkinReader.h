// Reading the skin layout files: one value per spot, six comma-terminated
// fields (name, x, y, width, height, label), and the four loaders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/FileQueries.h"
#include "platform/ProfileFiles.h"
#include "platform/UserNotices.h"
#include "skin/SkinLayout.h"
#include "skin/SkinPaths.h"

namespace zr {

using SkinFields = std::array<std::u16string, 6>;

// Chinese in either language, under the system's own caption.
inline constexpr std::u16string_view kMalformedSkinValueMessage = u"加载ini错误！";

struct SkinFileServices {
  ProfileFiles& profiles;
  FileQueries& files;
  UserNotices& notices;
  ExitRequests& exit;
};

// Values are read through a buffer of this many units, so at most 259 characters count.
inline constexpr std::size_t kSkinValueBufferSize = 260;

struct SplitSkinValue {
  SkinFields fields;
  bool tooManyCommas = false;  // more than six
};

// Every field ends at a comma; a field without its comma, and all after it,
// are empty, and text after the sixth comma is ignored. A value without any
// comma is field 0 whole. Nothing is trimmed.
SplitSkinValue SplitSkinFields(std::u16string_view value);

class SkinValueReader {
 public:
  explicit SkinValueReader(SkinFileServices services) : services_(services) {}

  // False when there is no file at `path`: the user is told once and the
  // exit procedure is asked for once, however many values were still to come.
  bool RequireFile(std::u16string_view path);

  // True when every file is there; otherwise the user is told once and
  // nothing else happens (no exit is asked for).
  bool AllFilesPresent(std::span<const std::u16string> paths);

  // Key n as "%d" in `section`; missing file, section or key give six empty
  // fields. A value with more than six commas is reported and still read;
  // the report comes once per file load, however many values are malformed.
  SkinFields ReadSkinValue(std::u16string_view path, std::u16string_view section, std::int32_t n);
  // A loader starts reading one layout file: its first malformed value is
  // reported again.
  void BeginFileLoad() { malformedReported_ = false; }

  bool ExitRequested() const { return exitRequested_; }

 private:
  SkinFileServices services_;
  bool exitRequested_ = false;
  bool malformedReported_ = false;
};

// Each loader assigns every entry of its table, so a missing key gives a zero
// entry with an empty label. False when the file is missing; its tables are
// then all zero.
bool LoadMainLayout(SkinValueReader& reader, std::u16string_view path, MainLayout& layout, FunctionNames& names);
bool LoadAdvancedLayout(SkinValueReader& reader, std::u16string_view path, AdvancedLayout& layout,
                        AdvancedControlRects& controls);
bool LoadColorLayout(SkinValueReader& reader, std::u16string_view path, ColorLayout& layout);
bool LoadWarningLayout(SkinValueReader& reader, std::u16string_view path, WarningLayout& layout);

// The main window's start: main, colour, advanced, stopping at the first
// missing file (the exit procedure then runs and nothing more is wanted).
bool LoadPageLayouts(SkinValueReader& reader, const SkinPaths& paths, std::uint8_t languageFlag, SkinLayouts& skin);
// Loaded apart, once the advanced page's control objects exist.
bool LoadWarningLayout(SkinValueReader& reader, const SkinPaths& paths, std::uint8_t languageFlag, SkinLayouts& skin);

}  // namespace zr
