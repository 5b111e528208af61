#include "platform/ProfileWriter.h"

#include <map>
#include <memory>
#include <string>

#include "platform/IniEngine.h"
#include "platform/Text.h"

namespace zr {

std::unique_lock<std::mutex> LockProfileFile(std::u16string_view path) {
  static std::mutex registryMutex;
  static std::map<std::u16string, std::unique_ptr<std::mutex>> locks;  // a handful of files per run, never removed
  std::u16string key(path);
  for (char16_t& c : key) c = FoldCase(c == u'/' ? u'\\' : c);
  std::mutex* lock = nullptr;
  {
    std::lock_guard registry(registryMutex);
    std::unique_ptr<std::mutex>& slot = locks[key];
    if (!slot) slot = std::make_unique<std::mutex>();
    lock = slot.get();
  }
  return std::unique_lock<std::mutex>(*lock);
}

bool ProfileWriter::Write(std::span<const ProfileWrite> writes, std::u16string_view path) {
  const std::unique_lock<std::mutex> lock = LockProfileFile(path);
  const std::optional<std::string> bytes = files_.ReadAll(path);
  IniDocument document = bytes ? ParseIni(*bytes) : IniDocument{};
  bool changed = false;
  for (const ProfileWrite& write : writes) changed = SetIniValue(document, write.section, write.key, write.value) || changed;
  if (!changed) return true;
  return files_.Replace(path, SerializeIni(document));
}

}  // namespace zr
