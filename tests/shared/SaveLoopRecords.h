// The two contents between which the save-loop program alternates: what a
// download writes for two different records.
#pragma once

#include <vector>

#include "config/ConfigStore.h"

namespace zr::test {

inline std::vector<ProfileWrite> SaveLoopWrites(unsigned which) {
  ConfigRecord record;
  SetFactoryDefaults(record);
  if (which == 1) {
    for (int slot = 0; slot < kButtonSlots; ++slot) record.K[slot] = 41 + slot;
    record.DPI_SET = {1, 2, 9, 11};
    record.FIRE_TIME = 12345;
    record.LED_STATUS = 3;
  }
  std::vector<ProfileWrite> writes{CurrentConfigNumberWrite(which == 1 ? 5 : 2)};
  AddConfigurationWrites(writes, kDownloadSnapshotNumber, record);
  AddConfigurationWrites(writes, 2, record);
  AddConfigurationWrites(writes, 5, record);
  return writes;
}

}  // namespace zr::test
