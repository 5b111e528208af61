// Folders the test run hands over as Unix paths, seen from inside Wine
// (whose drive Z: is the Unix root).
#pragma once
#include <cstdlib>
#include <string>

namespace zr::test {

inline std::wstring FromUnixPath(const char* unixPath) {
  std::wstring path = L"Z:";
  for (const char* c = unixPath; c != nullptr && *c != '\0'; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return path;
}

inline std::wstring SourceFolder() { return FromUnixPath(ZR_SOURCE_DIR); }

// The shippable folder of the build; empty when the run did not say.
inline std::wstring DistFolder() {
  const char* dist = std::getenv("ZR_DIST_DIR");
  return dist == nullptr ? std::wstring() : FromUnixPath(dist);
}

// The same folder of the build that carries the virtual mouse, beside it.
inline std::wstring VirtualDistFolder() {
  const std::wstring dist = DistFolder();
  return dist.empty() ? dist : dist + L"_virtual";
}

}  // namespace zr::test
