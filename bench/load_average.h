#pragma once

#include <cstdio>

// The machine's load over the last minute, printed beside a figure that load moves; -1 when the
// system does not tell.
inline double load_average()
{
    double load = -1;
    if (std::FILE *file = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(file, "%lf", &load) != 1)
            load = -1;
        std::fclose(file);
    }
    return load;
}
