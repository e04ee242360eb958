#pragma once

#include <optional>

#include "physics/real_flight.h"

// The realistic model's break for a pitch as a tracking device measures it.
namespace ball {

/// A break as devices give it: cm, up +, to the pitcher's right (三塁側) +.
struct DeviceBreak {
    double upCm = 0;
    double rightCm = 0;
};

/// The air a pitch may be thrown in: °C, %, and m above sea level.
struct AirRange {
    double low, high;
};
inline constexpr AirRange kAirTemperatureC{-30, 50};
inline constexpr AirRange kAirHumidityPct{0, 100};
inline constexpr AirRange kAirAltitudeM{-500, 4500};

/// Where a pitch leaves the hand and crosses the plate; the defaults are a typical fastball's.
struct RealDelivery {
    double releaseHeightM = 1.83;
    double releaseSideM = 0;   // + to the pitcher's right, m
    double extensionM = 1.98;  // in front of the rubber, m
    double plateHeightM = 0.75;
    double plateSideM = 0;  // + to the pitcher's right, m
};

/// A pitch with spin as measured (km/h, rpm, %, tilt in degrees: 0 up, 90 to the pitcher's
/// right), aimed from the delivery's release point at its plate place; none where it does not
/// arrive.
std::optional<RealPitch> realPitch(double kmh, double rpm, double efficiencyPct, double tiltDeg,
                                   const RealDelivery& d = {}, const Air& air = {});

/// That pitch's break; none where it does not arrive.
std::optional<DeviceBreak> realBreak(const RealPitch& p, const Air& air = {});

/// The efficiency, % to 0.01, whose break is as long as `length` cm for the pitch as aimed;
/// none where all its spin falls short of it.
std::optional<double> impliedEfficiency(RealPitch p, double lengthCm, const Air& air = {});

}  // namespace ball
