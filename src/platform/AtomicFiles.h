// Whole files read at once and replaced at once: what a save needs so that a
// crash or a power cut in the middle of it leaves the old file or the new one,
// never a file cut short.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zr {

class AtomicFiles {
 public:
  virtual ~AtomicFiles() = default;

  // The file's bytes; nullopt when there is no file to read.
  virtual std::optional<std::string> ReadAll(std::u16string_view path) = 0;

  // Puts `bytes` in the place of the file at `path`, or creates it: written
  // under a temporary name beside it, flushed to the disk, then renamed over
  // it in one step. A read-only file is not replaced. False, with the file
  // as it was, when any step failed.
  virtual bool Replace(std::u16string_view path, std::string_view bytes) = 0;
};

// The temporary file a replacement of `path` writes first. One name per
// file: a save cut off by a crash leaves it behind, and the next save of the
// same file overwrites it instead of adding another.
std::u16string ReplacementPath(std::u16string_view path);

// Through the standard library, with the POSIX flush and rename underneath.
class PortableAtomicFiles final : public AtomicFiles {
 public:
  std::optional<std::string> ReadAll(std::u16string_view path) override;
  bool Replace(std::u16string_view path, std::string_view bytes) override;
};

}  // namespace zr
