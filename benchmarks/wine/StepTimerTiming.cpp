// How long the step timer's waits really last, measured with the
// performance counter. Under Wine this says little (its Sleep does not
// quantise); run it on Windows to see a 15 ms step last 15 ms rather than
// the 31 ms of a plain Sleep at the default timer resolution.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "../MacroStepTiming.h"
#include "platform/StepTimer.h"

namespace {

double Seconds(LONGLONG ticks) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

template <typename Wait>
void Measure(const char* label, std::uint32_t milliseconds, int rounds, Wait wait) {
  std::vector<double> lasted;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER start{}, end{};
    ::QueryPerformanceCounter(&start);
    wait(milliseconds);
    ::QueryPerformanceCounter(&end);
    lasted.push_back(Seconds(end.QuadPart - start.QuadPart) * 1000.0);
  }
  std::sort(lasted.begin(), lasted.end());
  double sum = 0;
  for (double v : lasted) sum += v;
  std::printf("%-12s %4u ms: mean %7.3f  median %7.3f  max %7.3f ms (%d rounds)\n", label, milliseconds,
              sum / rounds, lasted[lasted.size() / 2], lasted.back(), rounds);
}

}  // namespace

int main() {
  auto timer = zr::MakeSystemStepTimer();
  timer->BeginPlayback();
  for (std::uint32_t ms : {15u, 16u, 30u, 100u}) {
    Measure("step timer", ms, ms >= 100 ? 10 : 40, [&](std::uint32_t d) { timer->Wait(d); });
  }
  timer->EndPlayback();
  for (std::uint32_t ms : {15u, 16u}) {
    Measure("plain Sleep", ms, 40, [](std::uint32_t d) { ::Sleep(d); });
  }
  // The same timer as the worker uses it, seen from the virtual mouse.
  for (std::uint16_t ms : {15, 16, 100}) {
    const zr::timing::Percentiles p = zr::timing::PercentilesOf(zr::timing::StepErrors(ms, 60));
    std::printf("macro step   %4u ms: error p50 %7.3f  p99 %7.3f ms (%zu steps, at the virtual mouse)\n", ms, p.p50,
                p.p99, p.samples);
  }
  return 0;
}
