#pragma once
// Timing for the benchmarks: one run of some work, and the quantiles of
// many, on the performance counter.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

inline double ElapsedUs(const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  work();
  ::QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// The value below which the fraction of the samples lies: 0.5 the median.
inline double Quantile(std::vector<double> samples, double fraction) {
  std::sort(samples.begin(), samples.end());
  return samples[static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1))];
}

// Each run's time, for run 0 to runs - 1.
inline std::vector<double> TimesUs(int runs, const std::function<void(int)>& step) {
  std::vector<double> us;
  for (int i = 0; i < runs; ++i) us.push_back(ElapsedUs([&] { step(i); }));
  return us;
}

}  // namespace bench
