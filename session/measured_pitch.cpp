#include "measured_pitch.h"

#include <cmath>
#include <numbers>

#include "display/display_set.h"
#include "files/number_text.h"
#include "physics/constants.h"
#include "physics/trajectory.h"
#include "real_break.h"
#include "spin_fit.h"

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
    Thrower(int ball, Ball1Panel one, Ball2Panel two, SavedDirection direction,
            std::optional<Delivery> from)
        : ball_(ball),
          one_(std::move(one)),
          two_(std::move(two)),
          direction_(std::move(direction)),
          from_(from) {}

    std::optional<Break> breakAt(double spin, bool quick) {
        PitchState s;
        SetupEntries e;
        if (ball_ == 1) {
            one_.Omega0Txt_0 = one_.Omega1Txt_0 = spinText(spin);
            SetBall1param(s, e, one_, direction_);
            if (from_ && s.noaim == 0) applyDelivery(s, *from_);
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
    std::optional<Delivery> from_;
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

namespace {

// The spin as the realistic model flies it, from the delivery where there is one, then the
// program's own spin fitted to the break that gives, so the panel throws with its own model.
PanelFill realisticFill(const MeasuredPitch& m, double kmh, double rpm, double efficiency,
                        Clock tilt, int ball, const Ball1Panel& ball1, const Ball2Panel& ball2,
                        const SavedDirection& saved, const std::optional<Delivery>& from) {
    RealDelivery d;
    if (from) {
        d = {.releaseHeightM = from->releaseZ,
             .releaseSideM = from->releaseX,
             .extensionM = from->releaseY,
             .plateHeightM = from->plateZ,
             .plateSideM = from->plateX};
    }
    const std::optional<RealPitch> p = realPitch(kmh, rpm, efficiency, clockToAxisAngle(tilt), d);
    const std::optional<DeviceBreak> b = p ? realBreak(*p) : std::nullopt;
    if (!b) return {.error = "この球速では、実際の球に近いモデルの球がプレートに届きません。"};
    MeasuredPitch byBreak = m;
    byBreak.bySpin = false;
    byBreak.vertical = fixedText(b->upCm, 1);
    byBreak.horizontal = fixedText(b->rightCm, 1);
    PanelFill fill = fillFromMeasurement(byBreak, ball, ball1, ball2, saved, from);
    const std::string predicted = "実際の球に近いモデルの変化量 縦 " + byBreak.vertical +
                                  " cm、横 " + byBreak.horizontal + " cm（三塁側が＋）";
    if (!fill.error.empty()) fill.error = predicted + "。" + fill.error;
    if (!fill.found.empty()) fill.found = predicted + " → " + fill.found;
    return fill;
}

}  // namespace

PanelFill fillFromMeasurement(const MeasuredPitch& m, int ball, const Ball1Panel& ball1,
                              const Ball2Panel& ball2, const SavedDirection& saved,
                              const std::optional<Delivery>& from) {
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
                "「回転軸の向き」は 1:00 から 12:59 までの時計の読みで入れてください（h:mm）。";
            return fill;
        }
        if (m.realistic)
            return realisticFill(m, *kmh, *rpm, *efficiency, *tilt, ball, ball1, ball2, saved,
                                 from);
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
    const Break target{-*horizontal / 100, *vertical / 100};  // as drawn: the catcher's right
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
    Thrower thrower(ball, one, two, direction, from);

    const std::optional<int> spin = lowestSpinFor(
        target, [&](double rps, bool quick) { return thrower.breakAt(rps, quick); });
    if (spin) {
        fill.spin = Thrower::spinText(*spin / 100.0);
        fill.found = "回転数 " + fixedText(*spin / 100.0 * 60, 0) + " rpm（回転効率 100 %）、" +
                     "回転軸の向き " + clockText(breakClock(target));
        return fill;
    }
    fill.error = "縦 " + fixedText(*vertical, 1) + " cm、横 " + fixedText(*horizontal, 1) +
                 " cm の変化量は、回転数 " + fixedText(kMeasuredRpm.high, 0) +
                 " rpm までのどの回転でもこの模型では出せません。パネルは変えていません。";
    return fill;
}

}  // namespace ball
