#include "soak/usage_series.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace soak {
namespace {

// Thirds need a few samples each to have a median.
constexpr size_t kMinSamples = 9;
constexpr size_t kThirds = 3;
// What the program's use moves up and down without leaking: a window or a
// font more while a dialog's leftovers wait for reuse, the heap's slack.
constexpr double kObjectNoise = 16;
constexpr double kWindowNoise = 8;
constexpr double kBytesPerMiB = 1024.0 * 1024.0;
constexpr double kMemoryNoiseMiB = 16;

struct Measure {
  const char* name;
  std::function<double(const remote::Usage&)> of;
  double noise;
  const char* unit;
};

const Measure kMeasures[] = {
    {"GDI objects", [](const remote::Usage& u) { return double(u.gdiObjects); }, kObjectNoise, ""},
    {"windows", [](const remote::Usage& u) { return double(u.userObjects); }, kWindowNoise, ""},
    {"private memory", [](const remote::Usage& u) { return double(u.privateBytes) / kBytesPerMiB; },
     kMemoryNoiseMiB, " MiB"},
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

std::string Number(double value, const char* unit) {
  char text[64];
  std::snprintf(text, sizeof text, *unit ? "%.1f%s" : "%.0f%s", value, unit);
  return text;
}

}  // namespace

std::string UsageSeries::Summary() const {
  std::string lines;
  if (samples_.empty()) return lines;
  for (const Measure& m : kMeasures) {
    double peak = 0;
    for (const auto& s : samples_) peak = std::max(peak, m.of(s));
    lines += std::string(m.name) + ": start " + Number(m.of(samples_.front()), m.unit) + ", peak " +
             Number(peak, m.unit) + ", end " + Number(m.of(samples_.back()), m.unit) + "\n";
  }
  return lines;
}

std::optional<std::string> UsageSeries::Growth() const {
  if (samples_.size() < kMinSamples) return std::nullopt;
  const size_t third = samples_.size() / kThirds;
  std::string grew;
  for (const Measure& m : kMeasures) {
    auto medianOf = [&](size_t from) {
      std::vector<double> values;
      for (size_t i = from; i < from + third; ++i) values.push_back(m.of(samples_[i]));
      return Median(values);
    };
    const double first = medianOf(0), middle = medianOf(third), last = medianOf(samples_.size() - third);
    if (middle - first > m.noise && last - middle > m.noise)
      grew += std::string(grew.empty() ? "" : "; ") + m.name + " grew from " + Number(first, m.unit) + " to " +
              Number(middle, m.unit) + " to " + Number(last, m.unit) +
              " (medians of the first, middle and last third; noise allowed " + Number(m.noise, m.unit) + ")";
  }
  if (grew.empty()) return std::nullopt;
  return grew;
}

}  // namespace soak
