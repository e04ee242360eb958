#include "bullpen.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "files/number_text.h"
#include "session/measured_pitch.h"
#include "setup/ball_setup.h"

namespace ball {

namespace {

std::string folded(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

int columnOf(const std::vector<std::string>& header, std::initializer_list<const char*> names) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        for (const char* n : names) {
            if (folded(header[i]) == folded(n)) return static_cast<int>(i);
        }
    }
    return -1;
}

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

std::optional<ColumnMap> knownColumns(const std::vector<std::string>& header) {
    ColumnMap m;
    if (columnOf(header, {"RelSpeed"}) >= 0 && columnOf(header, {"InducedVertBreak"}) >= 0) {
        m[Role::Pitcher] = columnOf(header, {"Pitcher"});
        m[Role::Hand] = columnOf(header, {"PitcherThrows"});
        m[Role::Type] = columnOf(header, {"TaggedPitchType"});
        m[Role::AutoType] = columnOf(header, {"AutoPitchType"});
        m[Role::Speed] = columnOf(header, {"RelSpeed"});
        m[Role::Spin] = columnOf(header, {"SpinRate"});
        m[Role::Tilt] = columnOf(header, {"Tilt"});
        m[Role::SpinAxis] = columnOf(header, {"SpinAxis"});
        m[Role::Vertical] = columnOf(header, {"InducedVertBreak"});
        m[Role::Horizontal] = columnOf(header, {"HorzBreak"});
        m[Role::RelHeight] = columnOf(header, {"RelHeight"});
        m[Role::RelSide] = columnOf(header, {"RelSide"});
        m[Role::Extension] = columnOf(header, {"Extension"});
        m[Role::PlateHeight] = columnOf(header, {"PlateLocHeight"});
        m[Role::PlateSide] = columnOf(header, {"PlateLocSide"});
        m[Role::Batter] = columnOf(header, {"Batter"});
        m[Role::BatterSide] = columnOf(header, {"BatterSide"});
        m[Role::Game] = columnOf(header, {"GameID"});
        m[Role::Inning] = columnOf(header, {"Inning"});
        m[Role::PlateAppearance] = columnOf(header, {"PAofInning"});
        m[Role::PitchNumber] = columnOf(header, {"PitchofPA"});
        m.speed = SpeedUnit::Mph;
        m.breaks = LengthUnit::Inch;
        m.release = LengthUnit::Foot;
        m.plusToPitchersRight = true;
    } else if (columnOf(header, {"release_speed"}) >= 0 && columnOf(header, {"player_name"}) >= 0) {
        // Statcast (Baseball Savant): its pfx columns are the break from 40 ft, not from the
        // release; the fit gives the break over the whole flight.
        m[Role::Pitcher] = columnOf(header, {"player_name"});
        m[Role::Hand] = columnOf(header, {"p_throws"});
        m[Role::Type] = columnOf(header, {"pitch_name"});
        m[Role::AutoType] = columnOf(header, {"pitch_type"});
        m[Role::Speed] = columnOf(header, {"release_speed"});
        m[Role::Spin] = columnOf(header, {"release_spin_rate"});
        m[Role::SpinAxis] = columnOf(header, {"spin_axis"});
        m[Role::RelHeight] = columnOf(header, {"release_pos_z"});
        m[Role::RelSide] = columnOf(header, {"release_pos_x"});
        m[Role::Extension] = columnOf(header, {"release_extension"});
        m[Role::PlateHeight] = columnOf(header, {"plate_z"});
        m[Role::PlateSide] = columnOf(header, {"plate_x"});
        m[Role::Batter] = columnOf(header, {"batter"});
        m[Role::BatterSide] = columnOf(header, {"stand"});
        m[Role::Game] = columnOf(header, {"game_pk"});
        m[Role::Inning] = columnOf(header, {"inning"});
        m[Role::PlateAppearance] = columnOf(header, {"at_bat_number"});
        m[Role::PitchNumber] = columnOf(header, {"pitch_number"});
        const char* const fit[] = {"vx0", "vy0", "vz0", "ax", "ay", "az"};
        for (int k = 0; k < 6; ++k) m.fit[k] = columnOf(header, {fit[k]});
        // Without the fit no row has a break: still Statcast, each row skipped and counted.
        if (!m.breaksFromFit()) m.fit[0] = static_cast<int>(header.size());
        m.speed = SpeedUnit::Mph;
        m.release = LengthUnit::Foot;
        m.releaseSideFromCatcher = true;
    } else {
        m[Role::Pitcher] = columnOf(header, {"投手", "pitcher"});
        m[Role::Hand] = columnOf(header, {"利き腕", "hand"});
        m[Role::Type] = columnOf(header, {"球種", "type"});
        m[Role::Speed] = columnOf(header, {"速度", "speed_kmh"});
        m[Role::Spin] = columnOf(header, {"回転数", "spin_rpm"});
        m[Role::Efficiency] = columnOf(header, {"回転効率", "efficiency_pct"});
        m[Role::Tilt] = columnOf(header, {"回転方向", "tilt"});
        m[Role::Vertical] = columnOf(header, {"縦の変化量", "ivb_cm"});
        m[Role::Horizontal] = columnOf(header, {"横の変化量", "hb_cm"});
    }
    if (!m.usable()) return std::nullopt;
    return m;
}

std::string columnMapText(const ColumnMap& map) {
    std::ostringstream out;
    out << "v2";
    for (int c : map.column) out << ' ' << c;
    out << ' ' << static_cast<int>(map.speed) << ' ' << static_cast<int>(map.breaks) << ' '
        << static_cast<int>(map.release) << ' ' << (map.plusToPitchersRight ? 1 : 0);
    return out.str();
}

std::optional<ColumnMap> parseColumnMap(const std::string& text) {
    std::istringstream in(text);
    std::string tag;
    ColumnMap m;
    int speed = 0, breaks = 0, release = 0, plus = 0;
    // v1 was written before the plate location had roles of its own.
    if (!(in >> tag) || (tag != "v1" && tag != "v2")) return std::nullopt;
    const int roles = tag == "v1" ? static_cast<int>(Role::Extension) + 1 : kRoleCount;
    for (int r = 0; r < roles; ++r) {
        int& c = m.column[r];
        if (!(in >> c) || c < -1 || c > 100000) return std::nullopt;
    }
    if (!(in >> speed >> breaks >> release >> plus)) return std::nullopt;
    if (speed < 0 || speed > 2 || breaks < 0 || breaks > 3 || release < 0 || release > 3 ||
        plus < 0 || plus > 1) {
        return std::nullopt;
    }
    m.speed = static_cast<SpeedUnit>(speed);
    m.breaks = static_cast<LengthUnit>(breaks);
    m.release = static_cast<LengthUnit>(release);
    m.plusToPitchersRight = plus == 1;
    return m;
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
        if (p.type.empty() || folded(p.type) == "undefined") p.type = r.text(Role::AutoType);
        if (folded(p.type) == "undefined") p.type.clear();
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
