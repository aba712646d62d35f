#include "frame_statistics.h"

#include <algorithm>
#include <cmath>

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const size_t half = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<long>(half), values.end());
  const double upper = values[half];
  if (values.size() % 2 != 0) return upper;
  const double lower = *std::max_element(values.begin(), values.begin() + static_cast<long>(half));
  return (lower + upper) / 2;
}

double Percentile(std::vector<double> values, double percent) {
  if (values.empty()) return 0;
  const double rank = std::ceil(std::clamp(percent, 0.0, 100.0) / 100 * values.size());
  const size_t index = rank < 1 ? 0 : static_cast<size_t>(rank) - 1;
  std::nth_element(values.begin(), values.begin() + static_cast<long>(index), values.end());
  return values[index];
}
