#include "calc/load_profile.h"

#include <algorithm>
#include <utility>

namespace rampwall {

PressureLayer pressureLayer(std::string name, const std::string& symbol, const std::string& ordinate, std::string where,
                            const std::string& momentSymbol, const std::string& moment, PressureSegment segment) {
    PressureLayer built;
    built.name = std::move(name);
    built.ordinate = symbol + " = " + ordinate;
    built.where = std::move(where);
    built.moment = momentSymbol + " = " + moment;
    built.segments = {segment};
    built.labelName = symbol;
    built.labelText = ordinate;
    built.labelDepth = segment.d1;
    return built;
}

ProfilePoint forcesAt(const std::vector<PressureLayer>& layers, double z) {
    ProfilePoint point;
    point.depth = z;
    for (const PressureLayer& layer : layers) {
        for (const PressureSegment& segment : layer.segments) {
            if (!(z > segment.d0) || !(segment.d1 > segment.d0)) {
                continue;
            }
            // p(u) = p0 + k·u over u = 0 … s below the segment's top, acting
            // at the lever L − u about the section at z.
            const double s = std::min(z, segment.d1) - segment.d0;
            const double k = (segment.p1 - segment.p0) / (segment.d1 - segment.d0);
            const double L = z - segment.d0;
            point.shear += segment.p0 * s + k * s * s / 2;
            point.moment += segment.p0 * (L * s - s * s / 2) + k * (L * s * s / 2 - s * s * s / 3);
        }
    }
    return point;
}

void tracePoints(LoadProfile& profile) {
    constexpr int kSteps = 48;
    std::vector<double> depths;
    for (int i = 0; i <= kSteps; ++i) {
        depths.push_back(profile.height * i / kSteps);
    }
    for (const PressureLayer& layer : profile.layers) {
        for (const PressureSegment& segment : layer.segments) {
            for (double depth : {segment.d0, segment.d1}) {
                if (depth > 0 && depth < profile.height) {
                    depths.push_back(depth);
                }
            }
        }
    }
    std::sort(depths.begin(), depths.end());
    depths.erase(std::unique(depths.begin(), depths.end()), depths.end());
    profile.points.clear();
    for (double depth : depths) {
        profile.points.push_back(forcesAt(profile.layers, depth));
    }
}

} // namespace rampwall
