// The configuration download under Wine against the virtual mouse, with the
// shipped config.ini on disk: saved key by key through the system's profile
// functions (each changed key rewrites the whole file, as the utility saved
// before) and saved once, whole and atomically (what the utility does now).
// Three cases: every stored value changed since the last download, one
// changed, none.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../QuietServices.h"
#include "MedianTime.h"
#include "config/ConfigDownload.h"
#include "device/DeviceLink.h"
#include "device/FeatureReports.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "virtual_mouse/VirtualMouse.h"
#include "wine/WinePaths.h"

namespace {

class KeyByKeyProfileFunctions final : public zr::ProfileFiles {
 public:
  std::u16string ReadString(std::u16string_view, std::u16string_view, std::u16string_view, std::size_t,
                            std::u16string_view) override {
    return {};  // the download reads nothing
  }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   std::u16string_view path) override {
    const std::wstring s = zr::Wide(section), k = zr::Wide(key), v = zr::Wide(value), p = zr::Wide(path);
    return ::WritePrivateProfileStringW(s.c_str(), k.c_str(), v.c_str(), p.c_str()) != FALSE;
  }
};

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Measure(const char* label, zr::ProfileFiles& files, const std::wstring& shipped, const std::wstring& folder,
             int changedFields) {
  const std::wstring configFile = folder + L"\\config.ini";
  {
    std::ofstream(std::filesystem::path(configFile), std::ios::binary | std::ios::trunc) << ReadAll(shipped);
  }
  zr::virtual_mouse::VirtualMouse mouse;
  zr::DeviceLink link{mouse};
  link.OpenDevice();
  zr::timing::NoSleep sleeper;
  zr::FeatureReports reports{link, sleeper};
  zr::timing::UnchangingSettings system;
  zr::timing::NoRepaint repaint;
  zr::ConfigRecord record;
  zr::SetFactoryDefaults(record);
  const zr::DownloadServices services{files, reports, system, repaint};
  const std::u16string path = zr::FromWide(configFile);
  zr::Download(services, record, 1, path);
  int round = 0;
  const double ms = zr::timing::MedianMs(40, [&] {
    ++round;
    if (changedFields >= 1) record.FIRE_TIME = 50 + round % 2;
    if (changedFields > 1) {
      for (int slot = 0; slot < zr::kButtonSlots; ++slot) record.K[slot] = round % 2 != 0 ? 41 + slot : slot + 1;
      record.DPI_SET = round % 2 != 0 ? std::array<std::uint8_t, 4>{1, 2, 9, 11} : std::array<std::uint8_t, 4>{3, 5, 6, 8};
      record.LED_STATUS = static_cast<std::uint8_t>(round % 2 * 3);
      record.DPI_SPEED = static_cast<std::uint8_t>(4 + round % 2);
      record.WHEEL_SPEED = static_cast<std::uint8_t>(2 + round % 2);
      record.WHEEL_STATUS = round % 2;
    }
    zr::Download(services, record, 1, path);
    mouse.ClearLog();
  });
  std::printf("%-34s %-22s median %7.2f ms\n", label,
              changedFields == 0 ? "nothing changed" : changedFields == 1 ? "one value changed" : "every value changed", ms);
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH]{};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"zr-download-timing";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring shipped = zr::test::SourceFolder() + L"\\data\\config.ini";

  KeyByKeyProfileFunctions keyByKey;
  zr::Win32ProfileFiles whole;
  for (int changed : {12, 1, 0}) {
    Measure("before: key by key, profile API", keyByKey, shipped, folder, changed);
    Measure("after: one atomic replacement", whole, shipped, folder, changed);
  }
  ::DeleteFileW((folder + L"\\config.ini").c_str());
  ::DeleteFileW((folder + L"\\config.ini.tmp").c_str());
  ::RemoveDirectoryW(folder.c_str());
  return 0;
}
