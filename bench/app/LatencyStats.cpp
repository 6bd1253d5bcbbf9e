#include "LatencyStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
constexpr double kP90 = 0.9;

// Nearest rank: the smallest sample with at least fraction of the samples at or below it.
double rank(const std::vector<double>& sorted, double fraction)
{
    const auto index = std::size_t(std::ceil(fraction * double(sorted.size())));
    return sorted[std::clamp<std::size_t>(index, 1, sorted.size()) - 1];
}
}

LatencySummary summarize(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    const double median = samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    return { median, rank(samples, kP90), samples.back() };
}

void printSummary(const char* label, const std::vector<double>& samples)
{
    const LatencySummary s = summarize(samples);
    std::printf(
        "%-34s n=%-3zu median %7.2f ms   p90 %7.2f ms   max %7.2f ms\n", label, samples.size(), s.median, s.p90, s.max);
}
