#include "shared/ProfileUnderTest.h"

#include "platform/IniEngine.h"

namespace zr::test {
namespace {

// The engine one key at a time: every write reads and rewrites the file.
class KeyByKeyProfileFiles final : public ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                            std::size_t bufferSize, std::u16string_view path) override {
    return engine_.ReadString(section, key, fallback, bufferSize, path);
  }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    return engine_.WriteString(section, key, value, path);
  }

 private:
  PortableProfileFiles engine_;
};

}  // namespace

std::unique_ptr<ProfileFiles> MakeProfileFilesUnderTest() { return std::make_unique<PortableProfileFiles>(); }
std::unique_ptr<ProfileFiles> MakeReferenceProfileFiles() { return std::make_unique<KeyByKeyProfileFiles>(); }

// The engine looks at the mode bits itself.
bool ReadOnlyFilesAreEnforced(std::u16string_view) { return true; }
bool ReferenceEnforcesReadOnlyFiles(std::u16string_view) { return true; }

}  // namespace zr::test
