#include "spin_fit.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "measured_pitch.h"

namespace ball {

std::optional<int> lowestSpinFor(const Break& target, const SpinThrow& breakAt) {
    const double size = std::hypot(target.horizontal, target.vertical);
    // How far along the measured direction a break has come, beyond the measured size.
    const auto reach = [&](const std::optional<Break>& b) {
        if (!b) return -size;
        return size == 0
                   ? 0.0
                   : (b->horizontal * target.horizontal + b->vertical * target.vertical) / size -
                         size;
    };
    const auto miss = [&](const std::optional<Break>& b) {
        return b ? std::hypot(b->horizontal - target.horizontal, b->vertical - target.vertical)
                 : HUGE_VAL;
    };
    // Which spins reach the break, by a quick throw each, and how near the real throw comes to
    // it, each asked once a spin (in hundredths of rev/s).
    std::map<int, double> reachBy;
    const auto reachAt = [&](int h) {
        if (const auto it = reachBy.find(h); it != reachBy.end()) return it->second;
        return reachBy[h] = reach(breakAt(h / 100.0, true));
    };
    const auto reaches = [&](int h) { return reachAt(h) >= 0; };
    std::map<int, std::optional<Break>> realBy;
    const auto real = [&](int h) -> const std::optional<Break>& {
        auto it = realBy.find(h);
        if (it == realBy.end()) it = realBy.emplace(h, breakAt(h / 100.0, false)).first;
        return it->second;
    };
    // Not negative where the real throw matches; a metre short where the ball never arrives.
    const auto closeness = [&](int h) { return real(h) ? kBreakMatch - miss(real(h)) : -1.0; };
    std::optional<int> fitted;
    const auto found = [&](int spin) {
        fitted = spin;
        return true;
    };
    // The spins are looked at from the lowest up, as on a scale of 1 rev/s up to 25 and 4 rev/s
    // beyond, and the first spin of that scale that reaches the break is narrowed down to a
    // hundredth. The break does not grow smoothly with the spin: at 20 rev/s and below the model
    // adds drag, the ball slows and has longer to break, and below 20 it lifts less. Within each
    // of the three stretches (below 20, 20, above 20) it grows with the spin, so there the
    // first spin that reaches it is found by interpolation, as the scale would find it, in a
    // handful of throws.
    const auto bisect = [&](int low, int high) {  // low does not reach, high does
        while (high - low > 1) {
            const int mid = (low + high) / 2;
            (reaches(mid) ? high : low) = mid;
        }
        return high;
    };
    // The first spin in (low, high] whose value is not negative, where the value grows with the
    // spin: low's is negative, high's is not.
    const auto interpolate = [&](int low, int high, const auto& value) {
        bool halve = false;
        while (high - low > 1) {
            const int width = high - low;
            int at = (low + high) / 2;
            if (!halve) {
                const double a = value(low), b = value(high);
                at = low + static_cast<int>(std::ceil(width * (-a / (b - a))));
                at = std::clamp(at, low + 1, high - 1);
            }
            if (value(at) >= 0) {
                high = at;
                if (at - 1 > low && value(at - 1) < 0) low = at - 1;
            } else {
                low = at;
                if (at + 1 < high && value(at + 1) >= 0) high = at + 1;
            }
            halve = !halve && high - low > width / 2;
        }
        return high;
    };
    // The first spin that reaches the break by a quick throw, then the real throw of it (or the
    // one below) that matches it. The real throw is aimed, so it can fall a little short of the
    // quick one: then the first spin above whose real throw matches, no further than where the
    // real throw reaches the break (past it the real break only parts from it) or the stretch
    // ends.
    const auto matchAt = [&](int high, int end) -> bool {
        for (int spin : {high, high - 1}) {
            if (spin >= 0 && closeness(spin) >= 0) return found(spin);
        }
        // Nor where the real throw never arrives: more spin the same way will not bring it.
        if (high >= end || !real(high) || reach(real(high)) >= 0) return false;
        // Outward from it by what the quick throws' slope says is missing, doubling the step.
        const double slope = reachAt(high) - reachAt(high - 1);
        const double gap = -closeness(high) / std::max(slope, 1e-6);
        int low = high;
        for (int step = static_cast<int>(std::clamp(std::ceil(gap), 1.0, 1000.0));; step *= 2) {
            const int next = std::min(low + step, end);
            if (closeness(next) >= 0) return found(interpolate(low, next, closeness));
            if (reach(real(next)) >= 0) {  // past where it reaches: the nearest is there
                const auto realReach = [&](int h) { return reach(real(h)); };
                const int at = interpolate(low, next, realReach);
                return closeness(at) >= 0 && found(interpolate(low, at, closeness));
            }
            if (next == end) return false;
            low = next;
        }
    };
    const int last = static_cast<int>(kMeasuredRpm.high / 60 * 100);
    const int lastStep = 2500 + (last - 2500) / 400 * 400;  // the scale's last spin
    const std::pair<int, int> stretches[] = {{0, 1900}, {2000, 2000}, {2100, lastStep}};
    bool reaching = false;  // the scale's spin before reaches it
    int below = 0;          // the scale's last spin that does not reach it
    for (const auto& [first, end] : stretches) {
        if (!reaches(end)) {
            reaching = false;
            below = end;
            continue;
        }
        int high = 0;
        if (reaches(first)) {
            if (reaching) continue;
            high = bisect(below, first);  // across two stretches: halved as the scale would
        } else {
            high = interpolate(first, end, reachAt);
        }
        if (matchAt(high, end)) return fitted;
        // Past a spin that reaches the break but does not match it, the rest of the stretch
        // reaches it too: the next one may come up to it from below.
        reaching = true;
    }
    return std::nullopt;
}

}  // namespace ball
