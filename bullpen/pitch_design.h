#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/tunnel_figures.h"
#include "import_messages.h"
#include "session/measured_pitch.h"
#include "session/real_break.h"

// Pitch design: what the realistic model says of a type's spin, and the type with its spin
// changed.
namespace ball {

struct Arsenal;
struct PitchType;
struct TypePair;

/// What the realistic model says of a type, beside what the device measured.
struct TypeDesign {
    // The efficiency at which its spin breaks as far as measured; none without a spin rate, or
    // where even all of it breaks less (beyondAllSpin).
    std::optional<double> impliedEfficiencyPct;
    bool beyondAllSpin = false;
    // From the measured speed, spin rate, efficiency and tilt; none without all four.
    std::optional<DeviceBreak> predicted;
    std::optional<DeviceBreak> unexplained;  // measured less predicted
    std::optional<Clock> unexplainedClock;   // which way that points, from behind the pitcher
};

/// The release and plate of a type as measured, the typical fastball's where not.
RealDelivery realDeliveryOf(const PitchType& t);
/// The realistic model's reading of a type's measured figures.
TypeDesign designOf(const PitchType& t, const Air& air = {});

/// A figure of a what-if: set to a value, or moved by one.
struct Change {
    double value = 0;
    bool relative = false;
    double applied(double base) const { return relative ? base + value : value; }
};

/// A change a coach tries on one type; a figure left out stays as measured.
struct WhatIf {
    std::string type = {};
    std::string pitcher = {};  // empty: the first to throw that type
    std::optional<Change> rpm = {}, efficiencyPct = {}, speedKmh = {};
    std::optional<Change> tiltMinutes = {};  // a clock (clockMinutes), or minutes clockwise
    // Thrown in other air than the session's: each as given, the rest as the session's.
    std::optional<double> temperatureC = {}, humidityPct = {}, altitudeM = {};
};

/// Reads "type=Fastball,rpm=+200,eff=95,tilt=+15,speed=-3,pitcher=Name": rpm, eff (%) and speed
/// (km/h) set as written or moved by a signed value; tilt set as h:mm or turned by signed
/// minutes, + clockwise; temp (°C), humidity (%) and altitude (m) of the air it is thrown in.
/// None, with why in error, for anything else.
std::optional<WhatIf> parseWhatIf(std::string_view text, std::string& error,
                                  Language language = Language::English);

/// The type as changed, not yet fitted: its figures set, its measured break and plate place
/// moved as far as the realistic model moves them from the session's air to the change's (so
/// what its spin does not explain stays), released in the same direction. A type without a spin
/// rate cannot change; error says so.
std::optional<PitchType> changedType(const PitchType& t, const WhatIf& w, std::string& error,
                                     Language language = Language::English, const Air& air = {});

/// A clock as a what-if's tilt takes it: minutes clockwise from 12:00.
inline double clockMinutes(Clock c) { return clockToAxisAngle(c) * 2; }

/// The type at index `changed` replaced by its change, fitted, and paired with each of its
/// pitcher's other fitted types as their means pair them.
struct WhatIfOutcome {
    std::vector<PitchType> types;       // the pitcher's types, the changed one in its place
    int changed = 0;                    // its index in types
    std::vector<TypePair> pairs;        // those with the changed type
    std::vector<TunnelFigures> before;  // the same pairs as measured, where both were thrown
};
WhatIfOutcome whatIfOutcome(const Arsenal& a, int changed, const PitchType& as);

}  // namespace ball
