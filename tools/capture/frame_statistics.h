#pragma once
// Order statistics of frame times.
#include <vector>

// The middle value (the mean of the two middle ones for an even count); 0 when empty.
double Median(std::vector<double> values);
// The nearest-rank percentile: the smallest value that at least `percent` % of the values
// do not exceed; 0 when empty. `percent` runs from 0 (the smallest) to 100 (the largest).
double Percentile(std::vector<double> values, double percent);
