// Saves config.ini in a loop until it is killed, for the test that kills it
// at random points: each round stores what a download stores, alternating
// between two records, so that the file is always one of two contents.
//   zr_save_loop.exe FILE READY_EVENT [key-by-key]
// "key-by-key" writes through the system's profile functions one key at a
// time instead, as the utility once did: the same test then finds files that
// are neither content.
#include <windows.h>

#include <string>
#include <vector>

#include "config/ConfigStore.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "shared/SaveLoopRecords.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::u16string file = zr::FromWide(argv[1]);
  const bool keyByKey = argc > 3 && std::wstring(argv[3]) == L"key-by-key";
  HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  zr::Win32ProfileFiles files;
  for (unsigned round = 0;; ++round) {
    const std::vector<zr::ProfileWrite> writes = zr::test::SaveLoopWrites(round % 2);
    if (keyByKey) {
      for (const zr::ProfileWrite& write : writes) {
        const std::wstring section = zr::Wide(write.section), key = zr::Wide(write.key), value = zr::Wide(write.value);
        ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), argv[1]);
      }
    } else {
      files.WriteStrings(writes, file);
    }
    if (round == 1 && ready != nullptr) ::SetEvent(ready);
  }
}
