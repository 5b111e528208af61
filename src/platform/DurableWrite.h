// The system's half of PortableAtomicFiles::Replace: how a new file's bytes,
// and then its name, are made to reach the disk.
#pragma once

#include <filesystem>
#include <string_view>

namespace zr {

// Writes `bytes` to `temporary` and flushes them to the disk, with the mode
// of `target` where the system keeps one; false when any step failed.
bool WriteAndFlush(const std::filesystem::path& temporary, std::string_view bytes, const std::filesystem::path& target);

// Flushes the entries of `folder`, so that a rename in it outlives a crash.
void FlushFolder(const std::filesystem::path& folder);

}  // namespace zr
