#include "config/ConfigRecord.h"

#include "config/FunctionTable.h"

namespace zr {

void SetFactoryDefaults(ConfigRecord& record) {
  for (int slot = 0; slot < kButtonSlots; ++slot) record.K[slot] = kButtonCodes[slot];
  record.DPI_LEVEL = 0;
  record.WHEEL_STATUS = 0;
  record.DPI_SET = {3, 5, 6, 8};
  record.DPI_SET_EN = {1, 1, 1, 1};
  record.LED_STATUS = 0;
  record.DPI_SPEED = 4;
  record.WHEEL_SPEED = 2;
  record.USB_SPEED = 2;
  record.FIRE_TIME = 50;
}

}  // namespace zr
