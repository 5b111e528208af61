#include "platform/win32/DeviceBroadcast.h"

#include <dbt.h>

#include <algorithm>
#include <cstddef>

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

}  // namespace zr
