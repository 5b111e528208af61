// What the skin loaders may ask of the user interface: one modal message with
// an OK button, and the exit procedure.
#pragma once

#include <string_view>

namespace zr {

class SkinNotices {
 public:
  virtual ~SkinNotices() = default;
  // Returns once the user has closed the message.
  virtual void ShowMessage(std::u16string_view text) = 0;
  // Asks for the exit procedure; the caller stops what it was loading.
  virtual void RequestExit() = 0;
};

// Both texts are Chinese in either language.
inline constexpr std::u16string_view kLayoutFileMissingText = u"找不到配置文件";
inline constexpr std::u16string_view kMalformedSkinValueText = u"加载ini错误！";

}  // namespace zr
