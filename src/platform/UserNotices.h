// What the core asks the shell to tell the user, and the one request that
// ends the utility. The core decides when; the shell decides how it looks.
#pragma once

#include <string_view>

namespace zr {

// What the user is told when a file the utility needs is not there: a
// macro file, a default macro file or a skin layout file.
inline constexpr std::u16string_view kMissingFileMessage = u"找不到配置文件";

class UserNotices {
 public:
  virtual ~UserNotices() = default;

  // A modal message with an OK button only; returns once the user has closed
  // it. An empty caption gives the utility's own caption, the executable's
  // name, which is what the Chinese-only file and skin errors show.
  virtual void ShowMessage(std::u16string_view text, std::u16string_view caption = {}) = 0;
};

// The exit procedure belongs to the main window; the parts that discover that
// the utility cannot go on (a missing skin layout file, no mouse at start)
// only ask for it.
class ExitRequests {
 public:
  virtual ~ExitRequests() = default;
  virtual void RequestExit() = 0;
};

}  // namespace zr
