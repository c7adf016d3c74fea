#pragma once

#include <vector>

// Order statistics of a set of measurements, in the unit they were given in.
struct Summary
{
    double median = 0;
    double p99 = 0; // nearest rank: 99 % of the values are at or below it
    double max = 0;
};

Summary Summarize(std::vector<double> values);
