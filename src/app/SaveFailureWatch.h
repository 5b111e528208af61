// The user's own files (config.ini, the two macro files) watched for a save
// that does not reach the disk: a folder the user may not write, a read-only
// file, a full disk. The first such failure of a run is announced once;
// telling the user at every save would only nag, and one notice is enough to
// know that nothing is being kept.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ProfileFiles.h"

namespace zr {

class SaveFailureWatch final : public ProfileFiles {
 public:
  SaveFailureWatch(ProfileFiles& inner, std::vector<std::u16string> watchedFiles)
      : inner_(inner), watched_(std::move(watchedFiles)) {}

  // Runs once, on the thread whose write failed first (the button-action
  // worker saves too), so it should only hand the notice over to the
  // interface thread. Set before any thread writes.
  void SetAnnouncer(std::function<void()> announce) { announce_ = std::move(announce); }

  // The watched file whose write failed first; empty while none has.
  std::u16string FailedFile() const;

  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue,
                            std::size_t bufferSize, std::u16string_view path) override {
    return inner_.ReadString(section, key, defaultValue, bufferSize, path);
  }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override;
  bool WriteStrings(std::span<const ProfileWrite> writes, std::u16string_view path) override;

 private:
  bool Watch(bool written, std::u16string_view path);

  ProfileFiles& inner_;
  const std::vector<std::u16string> watched_;
  std::function<void()> announce_;
  std::atomic<bool> announced_{false};
  mutable std::mutex mutex_;
  std::u16string failedFile_;
};

// What the user reads, in the window's language (a nonzero flag is English).
std::u16string SaveFailureMessage(std::u16string_view failedFile, std::uint8_t languageFlag);

}  // namespace zr
