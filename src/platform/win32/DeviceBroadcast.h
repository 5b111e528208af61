// The parameter of WM_DEVICECHANGE as the device link reads it.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/HidBus.h"

namespace zr {

// Nothing when the message carries no broadcast header.
std::optional<DeviceNotice> DecodeDeviceBroadcast(LPARAM data);

}  // namespace zr
