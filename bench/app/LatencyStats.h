#pragma once

#include <vector>

// Median, 90th percentile (nearest rank) and maximum of durations in ms; all zero for none.
struct LatencySummary {
    double median = 0;
    double p90 = 0;
    double max = 0;
};

LatencySummary summarize(std::vector<double> samples);

// One line: the label, the sample count and the summary.
void printSummary(const char* label, const std::vector<double>& samples);
