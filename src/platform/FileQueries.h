// Questions about the file system that the profile functions cannot answer:
// a missing file and an empty one read the same through them.
#pragma once

#include <string_view>

namespace zr {

class FileQueries {
 public:
  virtual ~FileQueries() = default;

  // Whether anything, a file or a folder, is at the path.
  virtual bool Exists(std::u16string_view path) = 0;
};

class PortableFileQueries final : public FileQueries {
 public:
  bool Exists(std::u16string_view path) override;
};

}  // namespace zr
