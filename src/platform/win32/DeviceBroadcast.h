// The parameter of WM_DEVICECHANGE as the device link reads it, and as a
// bus that raises its own notices builds it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/HidBus.h"

namespace zr {

// Nothing when the message carries no broadcast header.
std::optional<DeviceNotice> DecodeDeviceBroadcast(LPARAM data);

// A DEV_BROADCAST_DEVICEINTERFACE_W naming the notice's interface, laid out
// as the system lays one out (size counting the name's terminator); its
// address is the LPARAM. Any other kind of notice gets just the header.
std::vector<std::byte> EncodeDeviceBroadcast(const DeviceNotice& notice, const GUID& interfaceClass);

}  // namespace zr
