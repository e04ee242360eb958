#include "measured_pitch.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "display/display_set.h"
#include "files/number_text.h"
#include "physics/constants.h"
#include "physics/trajectory.h"

namespace ball {

namespace {

constexpr double kDegreesPerHour = 30;

// The direction, in degrees within (-180, 180], of a break: 0 up, 90 toward +x.
double breakDirection(const Break& b) {
    // Drawn as the catcher's right +: the model's x is its negative.
    return std::atan2(-b.horizontal, b.vertical) * 180 / std::numbers::pi;
}

// One field read as a whole number within its range; the message names it and its range.
struct Field {
    const char* name;
    double low, high;
    const char* unit;
};

std::optional<double> readField(const std::string& text, const Field& f, std::string& error) {
    std::optional<double> v;
    try {
        v = parseWholeNumber(text);
    } catch (const RunError&) {
        v.reset();  // beyond any number: out of range all the same
    }
    if (!v || *v < f.low || *v > f.high) {
        error = std::string("「") + f.name + "」には " + shortestText(f.low) + " から " +
                shortestText(f.high) + " までの数を入れてください（" + f.unit + "）。";
        return std::nullopt;
    }
    return v;
}

// Throws the panel's pitch with a release spin and returns its break as the figures compute
// it. A quick throw makes one pass in the setup's first direction; the break hardly depends
// on the direction, and the last candidate is thrown for real.
class Thrower {
public:
    Thrower(int ball, Ball1Panel one, Ball2Panel two, SavedDirection direction)
        : ball_(ball),
          one_(std::move(one)),
          two_(std::move(two)),
          direction_(std::move(direction)) {}

    std::optional<Break> breakAt(double spin, bool quick) {
        PitchState s;
        SetupEntries e;
        if (ball_ == 1) {
            one_.Omega0Txt_0 = one_.Omega1Txt_0 = spinText(spin);
            SetBall1param(s, e, one_, direction_);
        } else {
            two_.Omega0Txt_1 = two_.Omega1Txt_1 = spinText(spin);
            SetBall2param(s, e, two_, direction_);
            s.noaim = 1;
        }
        if (quick) s.noaim = 1;
        GetBall1traj(s);
        DisplaySet set;
        fillFromTraj(set, s);
        return ballBreak(set);
    }

    /// The spin as the panel holds it, to a hundredth of a revolution per second.
    static std::string spinText(double spin) { return fixedText(spin, 2); }

private:
    int ball_;
    Ball1Panel one_;
    Ball2Panel two_;
    SavedDirection direction_;
};

}  // namespace

std::optional<Clock> parseClock(std::string_view text) {
    std::string ascii;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool fullWidthColon = text.substr(i).starts_with("\xEF\xBC\x9A");
        ascii += fullWidthColon ? ':' : text[i];
        if (fullWidthColon) i += 2;
    }
    const std::size_t colon = ascii.find(':');
    if (colon == std::string::npos) return std::nullopt;
    std::optional<double> h, m;
    try {
        h = parseWholeNumber(ascii.substr(0, colon));
        m = parseWholeNumber(ascii.substr(colon + 1));
    } catch (const RunError&) {
        return std::nullopt;
    }
    if (!h || !m || *h != std::floor(*h) || *m != std::floor(*m)) return std::nullopt;
    if (*h < 1 || *h > 12 || *m < 0 || *m > 59) return std::nullopt;
    return Clock{static_cast<int>(*h), static_cast<int>(*m)};
}

std::string clockText(Clock c) {
    return std::to_string(c.hours) + (c.minutes < 10 ? ":0" : ":") + std::to_string(c.minutes);
}

double clockToAxisAngle(Clock c) {
    double angle = (c.hours - 12) * kDegreesPerHour + c.minutes / 2.0;
    while (angle <= -180) angle += 360;
    while (angle > 180) angle -= 360;
    return angle;
}

Clock axisAngleToClock(double degrees) {
    // Half a degree a minute, 720 minutes around, 12:00 at zero.
    long minutes = std::lround(degrees * 2);
    minutes = ((minutes % 720) + 720) % 720;
    const int hours = static_cast<int>(minutes / 60);
    return {hours == 0 ? 12 : hours, static_cast<int>(minutes % 60)};
}

Clock breakClock(const Break& b) { return axisAngleToClock(breakDirection(b)); }

double liftingSpin(double rpm, double efficiencyPercent) {
    return rpm * efficiencyPercent / 100 / 60;
}

PanelFill fillFromMeasurement(const MeasuredPitch& m, int ball, const Ball1Panel& ball1,
                              const Ball2Panel& ball2, const SavedDirection& saved) {
    PanelFill fill;
    const Field speed{"球速", slowestStorableSpeed(), kFastestMeasuredKmh, "km/h"};
    const std::optional<double> kmh = readField(m.speed, speed, fill.error);
    if (!kmh) return fill;
    fill.speed = shortestText(*kmh);

    if (m.bySpin) {
        const auto rpm =
            readField(m.rpm, {"回転数", kMeasuredRpm.low, kMeasuredRpm.high, "rpm"}, fill.error);
        if (!rpm) return fill;
        const auto efficiency = readField(
            m.efficiency, {"回転効率", kMeasuredEfficiency.low, kMeasuredEfficiency.high, "%"},
            fill.error);
        if (!efficiency) return fill;
        const std::optional<Clock> tilt = parseClock(m.tilt);
        if (!tilt) {
            fill.error =
                "「回転方向」は 1:00 から 12:59 までの時計の読みで入れてください（h:mm）。";
            return fill;
        }
        fill.spin = Thrower::spinText(liftingSpin(*rpm, *efficiency));
        fill.axis = shortestText(clockToAxisAngle(*tilt));
        return fill;
    }

    auto vertical = readField(
        m.vertical, {"縦の変化量", kMeasuredBreakCm.low, kMeasuredBreakCm.high, "cm"}, fill.error);
    if (!vertical) return fill;
    auto horizontal =
        readField(m.horizontal, {"横の変化量", kMeasuredBreakCm.low, kMeasuredBreakCm.high, "cm"},
                  fill.error);
    if (!horizontal) return fill;
    const Break target{*horizontal / 100, *vertical / 100};
    const double size = std::hypot(target.horizontal, target.vertical);
    fill.axis = fixedText(breakDirection(target), 1);

    // The saved direction is read once for all the throws of the fit. Ball 2 leaves in it,
    // and with none saved yet, in Ball 1's first guess; Ball 1 aimed at its target needs none.
    SavedDirection direction = saved;
    if (ball == 2 || !ball1.TargetOP_0) {
        PitchState from;
        try {
            saved(from);
        } catch (const RunError& e) {
            if (ball == 1 || e.kind() != ErrorKind::FileNotFound) throw;
            Ball1Panel aimed = ball1;
            aimed.TargetOP_0 = true;
            SetupEntries entries;
            SetBall1param(from, entries, aimed, saved);
        }
        direction = [from](PitchState& s) {
            s.alpha = from.alpha, s.beta = from.beta;
            s.xrel0 = from.xrel0, s.yrel0 = from.yrel0, s.zrel0 = from.zrel0;
        };
    }
    Ball1Panel one = ball1;
    one.SpeedTxt_0 = fill.speed, one.OrdinaryOpb_0 = true, one.thitaTxtBox_0 = fill.axis;
    Ball2Panel two = ball2;
    two.SpeedTxt_1 = fill.speed, two.OrdinaryOpb_1 = true, two.thitaTxtBox_1 = fill.axis;
    Thrower thrower(ball, one, two, direction);

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
        return reachBy[h] = reach(thrower.breakAt(h / 100.0, true));
    };
    const auto reaches = [&](int h) { return reachAt(h) >= 0; };
    std::map<int, std::optional<Break>> realBy;
    const auto real = [&](int h) -> const std::optional<Break>& {
        auto it = realBy.find(h);
        if (it == realBy.end()) it = realBy.emplace(h, thrower.breakAt(h / 100.0, false)).first;
        return it->second;
    };
    // Not negative where the real throw matches; a metre short where the ball never arrives.
    const auto closeness = [&](int h) { return real(h) ? kBreakMatch - miss(real(h)) : -1.0; };
    const auto found = [&](int spin) {
        fill.spin = Thrower::spinText(spin / 100.0);
        fill.found = "回転数 " + fixedText(spin / 100.0 * 60, 0) + " rpm（回転効率 100 %）、" +
                     "回転方向 " + clockText(breakClock(target));
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
        for (int step = static_cast<int>(std::clamp(std::ceil(gap), 1.0, 1000.0));;
             step *= 2) {
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
        if (matchAt(high, end)) return fill;
        // Past a spin that reaches the break but does not match it, the rest of the stretch
        // reaches it too: the next one may come up to it from below.
        reaching = true;
    }
    fill.error = "縦 " + fixedText(*vertical, 1) + " cm、横 " + fixedText(*horizontal, 1) +
                 " cm の変化量は、回転数 " + fixedText(kMeasuredRpm.high, 0) +
                 " rpm までのどの回転でもこの模型では出せません。パネルは変えていません。";
    return fill;
}

}  // namespace ball
