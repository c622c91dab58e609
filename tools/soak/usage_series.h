#pragma once
// The program's objects and memory over a run, and the rule that calls
// their course growth: the median of each third of the samples above the
// one before by more than the noise allows. Growth that goes on is a
// leak; a single step is what Wine loads at a first use (the printer
// driver's fonts came late in some runs) and stays loaded.
#include <optional>
#include <string>
#include <vector>

#include "remote/process_usage.h"

namespace soak {

class UsageSeries {
 public:
  void Add(const remote::Usage& usage) { samples_.push_back(usage); }
  size_t size() const { return samples_.size(); }

  // One line per measure: start, peak, end.
  std::string Summary() const;
  // What grew, or nothing; with too few samples nothing can be said.
  std::optional<std::string> Growth() const;

 private:
  std::vector<remote::Usage> samples_;
};

}  // namespace soak
