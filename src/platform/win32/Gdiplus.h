// GDI+'s own headers, which use min and max unqualified.
#pragma once

#include <windows.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>
