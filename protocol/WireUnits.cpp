#include "protocol/WireUnits.h"

#include <cmath>
#include <limits>

namespace proto {

int TruncToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double t = std::trunc(value);
    if (t >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (t <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(t);
}

int MicrometresToSteps(int um, int stepsPerMm) {
    return TruncToInt(static_cast<double>(um) * stepsPerMm * 0.001);
}

int TangentialToSteps(int um, int stepsPerMm) {
    return TruncToInt((static_cast<double>(um) * 0.001 + 0.05) * stepsPerMm);
}

int DistanceAdjustCode(double percent) {
    return TruncToInt(percent * 100 + 200);
}

} // namespace proto
