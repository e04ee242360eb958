#include "real_break.h"

#include <cmath>

#include "physics/constants.h"

namespace ball {

std::optional<RealPitch> realPitch(double kmh, double rpm, double efficiencyPct, double tiltDeg,
                                   const RealDelivery& d, const Air& air) {
    const RealPitch p{.speedMs = kmh / 3.6,
                      .rpm = rpm,
                      .efficiencyPct = efficiencyPct,
                      .tiltDeg = tiltDeg,
                      .releaseHeightM = d.releaseHeightM,
                      .releaseSideM = d.releaseSideM,
                      .distanceM = kDist - d.extensionM};
    return aimReal(p, d.plateSideM, d.plateHeightM, air);
}

std::optional<DeviceBreak> realBreak(const RealPitch& p, const Air& air) {
    const std::optional<RealFlight> f = flyReal(p, air);
    if (!f) return std::nullopt;
    return DeviceBreak{f->verticalM * 100, f->horizontalM * 100};
}

std::optional<double> impliedEfficiency(RealPitch p, double lengthCm, const Air& air) {
    const std::optional<RealFlight> plain = flyPlain(p, air);
    if (!plain) return std::nullopt;
    const auto length = [&](double efficiency) {
        p.efficiencyPct = efficiency;
        const std::optional<RealFlight> f = flyReal(p, *plain, air);
        return f ? std::hypot(f->verticalM, f->horizontalM) * 100 : 0.0;
    };
    if (length(100) < lengthCm) return std::nullopt;
    // The break grows with the efficiency: halve the interval to a hundredth of a per cent.
    double low = 0, high = 100;
    while (high - low > 0.005) {
        const double mid = (low + high) / 2;
        (length(mid) < lengthCm ? low : high) = mid;
    }
    return std::round((low + high) / 2 * 100) / 100;
}

}  // namespace ball
