#include "bullpen.h"

#include <cstring>
#include <sstream>

// The column sets the program knows, and a map as a line of text to remember it by.
namespace ball {

namespace {

int columnOf(const std::vector<std::string>& header, std::initializer_list<const char*> names) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        for (const char* n : names) {
            if (header[i].size() == std::strlen(n) && asciiLower(header[i]) == asciiLower(n)) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

}  // namespace

std::string asciiLower(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
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
        m.plusToPitchersRight = true;  // as the devices give it, and as it is written out
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
}  // namespace ball
