#include "benchstats.h"

#include <algorithm>
#include <cmath>

namespace {

// The value at nearest rank ceil(fraction * n), counting from 1.
double rank(const std::vector<double> &sorted, double fraction)
{
    const auto n = sorted.size();
    const auto r = static_cast<std::size_t>(std::ceil(fraction * double(n)));
    return sorted[std::clamp<std::size_t>(r, 1, n) - 1];
}

} // namespace

Summary Summarize(std::vector<double> values)
{
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, rank(values, 0.99), values.back()};
}
