#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "display/pitch_figures.h"
#include "setup/ball_setup.h"
#include "setup/delivery.h"
#include "setup/panels.h"

// A measured pitch in the tracking devices' terms, and the model's panel values for it.
namespace ball {

/// A direction as a clock reading from behind the pitcher: 12:00 up, 3:00 toward third base
/// (+x, where a right-hander's シュート breaks), 6:00 down, 9:00 toward first base.
struct Clock {
    int hours = 12;   // 1 to 12
    int minutes = 0;  // 0 to 59
    friend bool operator==(const Clock&, const Clock&) = default;
};

/// Reads "h:mm", full-width digits and colon too; none unless hours 1 to 12, minutes 0 to 59.
std::optional<Clock> parseClock(std::string_view text);
/// "1:05".
std::string clockText(Clock c);
/// The spin-axis angle in degrees, in (-180, 180], that points the ordinary ball's lift this
/// way: 12:00 0, 1:30 45, 3:00 90, 6:00 180, 9:00 -90.
double clockToAxisAngle(Clock c);
/// The reading, to the minute, of a direction in degrees (0 up, 90 toward +x).
Clock axisAngleToClock(double degrees);
/// The reading of a break's direction.
Clock breakClock(const Break& b);
/// The revolutions per second that lift: the model's ordinary ball lifts with all its spin,
/// so it gets the measured rpm's efficient part.
double liftingSpin(double rpm, double efficiencyPercent);

/// What a coach read off a tracking device for one pitch: its speed, and its spin or its break.
struct MeasuredPitch {
    std::string speed = {};       // km/h
    bool bySpin = true;           // otherwise by break
    bool realistic = false;       // by spin, through the break the realistic model gives it
    std::string rpm = {};         // revolutions per minute
    std::string efficiency = {};  // %
    std::string tilt = {};        // h:mm
    std::string vertical = {};    // cm, up +
    std::string horizontal = {};  // cm, + to the pitcher's right (三塁側), as devices give it
};

/// The panel's values for a measured pitch, or why there are none.
struct PanelFill {
    std::string speed = {};  // 速度, km/h
    std::string spin = {};   // 投げた直後 and キャッチャ位置, rev/s
    std::string axis = {};   // 回転軸角度, degrees, 普通の球
    std::string found = {};  // from a break: the spin and tilt found, in the device's terms
    std::string error = {};  // not empty: what is wrong, and nothing is to be filled
};

/// Turns a measurement into panel values for ball 1 or 2. From a break it searches the lowest
/// release spin whose break, thrown from the filled panel (Ball 1 at its target, Ball 2 in the
/// saved direction, or without one in Ball 1's first guess), is within kBreakMatch of it. An
/// aimed Ball 1 with a delivery is thrown from its release point at its plate point instead.
PanelFill fillFromMeasurement(const MeasuredPitch& m, int ball, const Ball1Panel& ball1,
                              const Ball2Panel& ball2, const SavedDirection& saved,
                              const std::optional<Delivery>& from = std::nullopt);

/// How close a fitted break comes to the measured one, m.
constexpr double kBreakMatch = 0.005;

/// The ranges a measured pitch is taken in, by the dialog and a session's rows alike.
struct MeasuredRange {
    double low, high;
};
inline constexpr double kFastestMeasuredKmh = 300;  // the slowest: slowestStorableSpeed()
inline constexpr MeasuredRange kMeasuredRpm{0, 6000};
inline constexpr MeasuredRange kMeasuredEfficiency{0, 100};  // %
inline constexpr MeasuredRange kMeasuredBreakCm{-150, 150};

}  // namespace ball
