#include "bullpen.h"

#include <algorithm>
#include <cmath>

#include "files/number_text.h"
#include "session/measured_pitch.h"
#include "setup/ball_setup.h"

namespace ball {

namespace {

double kmhFrom(double v, SpeedUnit u) {
    switch (u) {
        case SpeedUnit::Mph:
            return v * 1.609344;
        case SpeedUnit::MetresPerSecond:
            return v * 3.6;
        case SpeedUnit::Kmh:
            break;
    }
    return v;
}

double metresFrom(double v, LengthUnit u) {
    switch (u) {
        case LengthUnit::Cm:
            return v / 100;
        case LengthUnit::Inch:
            return v * 0.0254;
        case LengthUnit::Foot:
            return v * 0.3048;
        case LengthUnit::Metre:
            break;
    }
    return v;
}

// One row's field of a role: empty where the role has no column or the row is short of it.
struct RowReader {
    const std::vector<std::string>& row;
    const ColumnMap& map;
    char delimiter;

    std::string text(Role r) const { return field(map[r]); }
    std::string field(int c) const {
        return c >= 0 && static_cast<std::size_t>(c) < row.size() ? row[c] : std::string();
    }
    // A number within [low, high]; none when missing, not a number or out of range. Where
    // semicolons part the fields, a comma may be the decimal sign.
    std::optional<double> number(Role r, double low, double high,
                                 double (*convert)(double, const ColumnMap&)) const {
        return numberIn(field(map[r]), low, high, convert);
    }
    std::optional<double> numberIn(std::string t, double low, double high,
                                   double (*convert)(double, const ColumnMap&)) const {
        if (delimiter == ';' && t.find('.') == std::string::npos) {
            for (char& c : t) c = c == ',' ? '.' : c;
        }
        std::optional<double> v;
        try {
            v = parseWholeNumber(t);
        } catch (const RunError&) {
            return std::nullopt;
        }
        if (!v) return std::nullopt;
        const double x = convert(*v, map);
        if (!(x >= low && x <= high)) return std::nullopt;
        return x;
    }
};

double asIs(double v, const ColumnMap&) { return v; }

// The breaks, cm, over the whole flight of a constant-acceleration fit (ft, s, at y = 50 ft),
// from the release, 60.5 ft less the extension from the plate, to the front of the plate at
// 17/12 ft: induced vertical ½(az + g)t², horizontal ½·ax·t² (the catcher's right +). None
// where a field is missing or the flight never gets there.
std::pair<std::optional<double>, std::optional<double>> fittedBreaks(
    const RowReader& r, const std::optional<double>& extensionM) {
    std::optional<double> v[6];
    for (int k = 0; k < 6; ++k) v[k] = r.numberIn(r.field(r.map.fit[k]), -1e4, 1e4, asIs);
    if (!extensionM || !std::all_of(std::begin(v), std::end(v), [](auto x) { return x; })) {
        return {};
    }
    const double vy = *v[static_cast<int>(Fit::Vy0)], ay = *v[static_cast<int>(Fit::Ay)];
    const auto when = [&](double y) -> std::optional<double> {  // the time at y, s
        const double d = 50 - y;
        if (ay == 0) return vy == 0 ? std::nullopt : std::optional(-d / vy);
        const double disc = vy * vy - 2 * ay * d;
        if (disc < 0) return std::nullopt;
        return (-vy - std::sqrt(disc)) / ay;
    };
    const auto release = when(60.5 - *extensionM / 0.3048), plate = when(17.0 / 12);
    if (!release || !plate || !(*plate > *release)) return {};
    const double t = *plate - *release;
    constexpr double kGravityFt = 32.174, kCmPerFoot = 30.48;
    const double vertical = 0.5 * (*v[static_cast<int>(Fit::Az)] + kGravityFt) * t * t * kCmPerFoot;
    const double horizontal = 0.5 * *v[static_cast<int>(Fit::Ax)] * t * t * kCmPerFoot;
    const auto within = [](double cm) {
        return cm >= kMeasuredBreakCm.low && cm <= kMeasuredBreakCm.high ? std::optional(cm)
                                                                         : std::nullopt;
    };
    return {within(vertical), within(horizontal)};
}
double speedOf(double v, const ColumnMap& m) { return kmhFrom(v, m.speed); }
double breakOf(double v, const ColumnMap& m) { return metresFrom(v, m.breaks) * 100; }
double releaseOf(double v, const ColumnMap& m) { return metresFrom(v, m.release); }

}  // namespace

bool ColumnMap::usable() const {
    return ((*this)[Role::Type] >= 0 || (*this)[Role::AutoType] >= 0) &&
           (*this)[Role::Speed] >= 0 &&
           (((*this)[Role::Vertical] >= 0 && (*this)[Role::Horizontal] >= 0) || breaksFromFit());
}

Bullpen readBullpen(const CsvTable& table, const ColumnMap& map) {
    Bullpen out;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const RowReader r{table.rows[i], map, table.delimiter};
        BullpenPitch p;
        p.line = table.lines[i];
        p.pitcher = r.text(Role::Pitcher);
        p.hand = r.text(Role::Hand);
        p.type = r.text(Role::Type);
        if (p.type.empty() || asciiLower(p.type) == "undefined") p.type = r.text(Role::AutoType);
        if (asciiLower(p.type) == "undefined") p.type.clear();
        bool ok = !p.type.empty();

        const auto speed =
            r.number(Role::Speed, slowestStorableSpeed(), kFastestMeasuredKmh, speedOf);
        p.extensionM = r.number(Role::Extension, -10, 10, releaseOf);
        const auto [vertical, horizontal] =
            map.breaksFromFit()
                ? fittedBreaks(r, p.extensionM)
                : std::pair(r.number(Role::Vertical, kMeasuredBreakCm.low, kMeasuredBreakCm.high,
                                     breakOf),
                            r.number(Role::Horizontal, kMeasuredBreakCm.low,
                                     kMeasuredBreakCm.high, breakOf));
        ok = ok && speed && vertical && horizontal;
        if (ok) {
            p.speedKmh = *speed;
            p.verticalCm = *vertical;
            p.horizontalCm = map.plusToPitchersRight ? -*horizontal : *horizontal;
        }
        if (map[Role::Spin] >= 0) {
            p.rpm = r.number(Role::Spin, kMeasuredRpm.low, kMeasuredRpm.high, asIs);
            ok = ok && p.rpm;
        }
        if (map[Role::Efficiency] >= 0 && !r.text(Role::Efficiency).empty()) {
            p.efficiency =
                r.number(Role::Efficiency, kMeasuredEfficiency.low, kMeasuredEfficiency.high, asIs);
            ok = ok && p.efficiency;
        }
        if (map[Role::Tilt] >= 0 && !r.text(Role::Tilt).empty()) {
            const std::optional<Clock> c = parseClock(r.text(Role::Tilt));
            if (c) p.tiltMinutes = (c->hours % 12) * 60 + c->minutes;
            ok = ok && c;
        } else if (map[Role::SpinAxis] >= 0) {
            // 180 degrees is 12:00 and 210 is 1:00, as the devices measure the axis.
            if (const auto axis = r.number(Role::SpinAxis, -360, 360, asIs)) {
                p.tiltMinutes = std::fmod(std::fmod(*axis * 2 + 360, 720) + 720, 720);
            }
            ok = ok && p.tiltMinutes;
        } else if (map[Role::Tilt] >= 0) {
            ok = false;
        }
        p.relHeightM = r.number(Role::RelHeight, -10, 10, releaseOf);
        p.relSideM = r.number(Role::RelSide, -10, 10, releaseOf);
        if (p.relSideM && map.releaseSideFromCatcher) *p.relSideM = -*p.relSideM;
        p.plateHeightM = r.number(Role::PlateHeight, -10, 10, releaseOf);
        p.plateSideM = r.number(Role::PlateSide, -10, 10, releaseOf);
        p.batter = r.text(Role::Batter);
        p.batterSide = r.text(Role::BatterSide);
        p.game = r.text(Role::Game);
        p.inning = r.text(Role::Inning);
        p.plateAppearance = r.text(Role::PlateAppearance);
        p.pitchNumber = r.number(Role::PitchNumber, 0, 1e9, asIs);
        if (ok) {
            out.pitches.push_back(std::move(p));
        } else {
            out.skippedLines.push_back(table.lines[i]);
        }
    }
    return out;
}

}  // namespace ball
