#pragma once

#include <optional>

// A second flight model, closer to a real ball than the program's own: lift from the spin factor
// as measured on baseballs, drag, and spin that lifts only with its part across the flight. It
// predicts what a tracking device would read; the form, the views and the two data files keep
// the program's own model.
namespace ball {

/// The air a pitch flies through.
struct Air {
    double temperatureC = 20;  // °C
    double humidityPct = 50;   // relative humidity, %
    double altitudeM = 0;      // above sea level, m; sets the pressure where none is given
    std::optional<double> pressureHpa = {};  // the station's own, hPa; the altitude then unused
};

/// The density of that air, kg/m^3: dry air's from the temperature and pressure, less what the
/// water vapour displaces.
double airDensity(const Air& air);

/// From release point to the plate at the typical 6.5 ft of extension: 54 ft, m.
constexpr double kRealFlightDistance = 16.4592;

/// A pitch as a tracking device reads it at release. Axes from behind the pitcher: x toward
/// his right (三塁側), y toward the plate, z up.
struct RealPitch {
    double speedMs = 0;          // release speed, m/s
    double rpm = 0;              // total spin, rev/min
    double efficiencyPct = 100;  // the spin's part across the flight (the rest is gyro), %
    double tiltDeg = 0;          // where the spin pushes, from behind: 0 up (12:00), 90 toward x
    double elevationDeg = 0;     // release direction above the horizontal, degrees
    double sideDeg = 0;          // release direction toward x, degrees
    double releaseHeightM = 1.8;
    double releaseSideM = 0;                 // toward x, m
    double distanceM = kRealFlightDistance;  // release point to the plate, m
};

/// How it arrived: where, when, and its break as a device reports it: how far from the same
/// throw without spin (under gravity and drag alike) it crossed the plate.
struct RealFlight {
    double time = 0;          // s from release to the plate
    double plateSpeedMs = 0;  // m/s
    double plateSideM = 0;    // toward x, m
    double plateHeightM = 0;  // m
    double verticalM = 0;     // induced vertical break, up +, m
    double horizontalM = 0;   // toward x (the pitcher's right), m
};

/// The flight to the plate; none for a ball too slow to reach it in 5 s. Throws an overflow
/// RunError for a figure that does not stay finite.
std::optional<RealFlight> flyReal(const RealPitch& p, const Air& air = {});
/// The same throw without spin, the reference of every break of that release: its place and
/// time, no break.
std::optional<RealFlight> flyPlain(const RealPitch& p, const Air& air = {});
/// The flight, its break against that throw's plain flight already flown (several spins from
/// one release fly it once).
std::optional<RealFlight> flyReal(const RealPitch& p, const RealFlight& plain, const Air& air = {});

/// The pitch with its release direction turned until it crosses the plate within 1 mm of a
/// place (side toward x, height), a few flights at most; none where one does not arrive.
std::optional<RealPitch> aimReal(RealPitch p, double plateSideM, double plateHeightM,
                                 const Air& air = {});

/// The lift coefficient of a spin factor S = r ω / v, ω the spin across the flight.
double realLiftCoefficient(double spinFactor);

}  // namespace ball
