// Notices that only remember what the loaders asked for.
#pragma once

#include <string>
#include <vector>

#include "skin/SkinNotices.h"

namespace zr::test {

class RecordingNotices final : public SkinNotices {
 public:
  void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }
  void RequestExit() override { ++exitRequests; }

  std::vector<std::u16string> messages;
  int exitRequests = 0;
};

}  // namespace zr::test
