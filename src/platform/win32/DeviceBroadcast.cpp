#include "platform/win32/DeviceBroadcast.h"

#include <dbt.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/win32/WideText.h"

namespace zr {

std::optional<DeviceNotice> DecodeDeviceBroadcast(LPARAM data) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (header == nullptr) return std::nullopt;
  DeviceNotice notice;
  notice.deviceType = header->dbch_devicetype;
  if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
      header->dbch_size > offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) {
    const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    // The name runs to its terminator, but never past the size the sender gave.
    const std::size_t maxChars =
        (header->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) / sizeof(wchar_t);
    const wchar_t* name = broadcast->dbcc_name;
    notice.name = FromWide(std::wstring_view(name, std::find(name, name + maxChars, L'\0') - name));
  }
  return notice;
}

std::vector<std::byte> EncodeDeviceBroadcast(const DeviceNotice& notice, const GUID& interfaceClass) {
  if (notice.deviceType != DBT_DEVTYP_DEVICEINTERFACE) {
    std::vector<std::byte> bytes(sizeof(DEV_BROADCAST_HDR));
    auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(bytes.data());
    header->dbch_size = sizeof(DEV_BROADCAST_HDR);
    header->dbch_devicetype = notice.deviceType;
    return bytes;
  }
  const std::wstring name = Wide(notice.name);
  const std::size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (name.size() + 1) * sizeof(wchar_t);
  // Never shorter than the structure itself, whose name field holds one character.
  std::vector<std::byte> bytes(std::max(size, sizeof(DEV_BROADCAST_DEVICEINTERFACE_W)));
  auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
  broadcast->dbcc_size = static_cast<DWORD>(size);
  broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  broadcast->dbcc_classguid = interfaceClass;
  std::memcpy(broadcast->dbcc_name, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
  return bytes;
}

}  // namespace zr
