// Records what the core asks the user to see, instead of showing it.
#pragma once

#include <string>
#include <vector>

#include "platform/UserNotices.h"

namespace zr::test {

struct ShownMessage {
  std::u16string text;
  std::u16string caption;
  bool operator==(const ShownMessage&) const = default;
};

class RecordingNotices final : public UserNotices, public ExitRequests {
 public:
  void ShowMessage(std::u16string_view text, std::u16string_view caption = {}) override {
    messages.push_back({std::u16string(text), std::u16string(caption)});
  }
  void RequestExit() override { ++exitRequests; }

  std::vector<ShownMessage> messages;
  int exitRequests = 0;
};

}  // namespace zr::test
