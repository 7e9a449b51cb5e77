#pragma once

#include <algorithm>
#include <vector>

// The figure every benchmark reports: the middle of its timings, robust against the odd run a
// busy machine slows down.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
