// Where the process looks for the libraries it loads.
#pragma once

namespace zr {

// From now on libraries load from the system folder only, never from the
// program's folder (where a file of a system DLL's name could be planted).
// Must run before the first call into a delay-imported DLL. Returns false on
// a system without the call (Windows 7 lacking its update), where the search
// stays as it was.
bool RestrictDllSearchToSystem();

}  // namespace zr
