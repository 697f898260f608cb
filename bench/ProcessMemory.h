// The memory figures of this process, for benchmarks that measure a peak.
#pragma once

#include <fstream>
#include <string>

namespace reelkeep::bench {

// A field of /proc/self/status in bytes, e.g. "VmRSS" or "VmHWM" (the peak).
inline double StatusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    double kib = 0;
    while (status >> key) {
        if (key == field + ":") {
            status >> kib;
            return kib * 1024;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

} // namespace reelkeep::bench
