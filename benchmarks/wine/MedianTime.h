// The timing harnesses' clock: the median of several runs, in milliseconds.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace zr::timing {

inline double NowMs() {
  LARGE_INTEGER count, frequency;
  ::QueryPerformanceCounter(&count);
  ::QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

template <typename Work>
double MedianMs(int runs, Work work) {
  std::vector<double> times;
  for (int k = 0; k < runs; ++k) {
    const double start = NowMs();
    work();
    times.push_back(NowMs() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace zr::timing
