#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "files/csv_table.h"

// A tracking device's session: which column holds what, and its pitches in the model's terms.
namespace ball {

/// What a column holds.
enum class Role {
    Pitcher,
    Hand,
    Type,
    AutoType,  // the device's own guess, where the tagged type is empty or "Undefined"
    Speed,
    Spin,        // rpm
    Efficiency,  // %
    Tilt,        // h:mm
    SpinAxis,    // degrees, 180 at 12:00
    Vertical,    // induced vertical break, up +
    Horizontal,  // horizontal break
    RelHeight,   // above the ground
    RelSide,     // + to the pitcher's right
    Extension,   // in front of the rubber
    PlateHeight,  // where it crossed the plate: above the ground
    PlateSide,    // and across, + to the catcher's right
    Batter,       // who it was thrown to, and from which side he batted (R or L)
    BatterSide,
    Game,            // with the inning and the plate appearance in it: which pitches follow
    Inning,          // one another to one batter
    PlateAppearance,
    PitchNumber,  // in the plate appearance: the order of its pitches where the file's is not
};
constexpr int kRoleCount = static_cast<int>(Role::PitchNumber) + 1;

/// The columns of a constant-acceleration fit of the flight, as Statcast gives it (ft/s and
/// ft/s² at y = 50 ft, y toward the pitcher, x to the catcher's right).
enum class Fit { Vx0, Vy0, Vz0, Ax, Ay, Az };

enum class SpeedUnit { Kmh, Mph, MetresPerSecond };
enum class LengthUnit { Cm, Inch, Foot, Metre };

/// Which column holds each role (-1 none), in which unit, and which side is + for the
/// horizontal break.
struct ColumnMap {
    std::array<int, kRoleCount> column;
    SpeedUnit speed = SpeedUnit::Kmh;
    LengthUnit breaks = LengthUnit::Cm;
    LengthUnit release = LengthUnit::Metre;  // the release point and the plate location
    bool plusToPitchersRight = false;  // TrackMan's HorzBreak; ours is the catcher's right
    // Statcast's: the breaks over the whole flight from its fit, in place of break columns, and
    // the release side from the catcher's view.
    std::array<int, 6> fit;
    bool releaseSideFromCatcher = false;

    ColumnMap() { column.fill(-1), fit.fill(-1); }
    int& operator[](Role r) { return column[static_cast<int>(r)]; }
    int operator[](Role r) const { return column[static_cast<int>(r)]; }
    bool breaksFromFit() const { return fit[0] >= 0; }
    /// A type, a speed and both breaks (or the fit they come from): enough to fit a model.
    bool usable() const;
    friend bool operator==(const ColumnMap&, const ColumnMap&) = default;
};

/// The text with its ASCII letters in lower case, as names in headers are compared.
std::string asciiLower(const std::string& s);

/// The map of a header in a vocabulary the program knows (TrackMan's, Statcast's, or its own
/// metric one in Japanese or English); none for any other header.
std::optional<ColumnMap> knownColumns(const std::vector<std::string>& header);

/// A map as one line of text, to remember it, and back; none for a text that is not one.
std::string columnMapText(const ColumnMap& map);
std::optional<ColumnMap> parseColumnMap(const std::string& text);

/// One pitch, in the program's units.
struct BullpenPitch {
    int line = 0;  // in the file, from 1
    std::string pitcher, hand, type;
    double speedKmh = 0;
    std::optional<double> rpm, efficiency;
    std::optional<double> tiltMinutes;  // the clock reading in minutes past 12:00, [0, 720)
    double verticalCm = 0;
    double horizontalCm = 0;  // the catcher's right +
    std::optional<double> relHeightM, relSideM, extensionM;
    std::optional<double> plateHeightM, plateSideM;  // the plate side + to the catcher's right
    std::string batter, batterSide, game, inning, plateAppearance;  // as the file has them
    std::optional<double> pitchNumber;
};

struct Bullpen {
    std::vector<BullpenPitch> pitches;
    std::vector<int> skippedLines;  // rows with a value missing or out of range
};

/// The table's rows read with the map; a row with a missing or out-of-range value is skipped
/// and its line kept.
Bullpen readBullpen(const CsvTable& table, const ColumnMap& map);

}  // namespace ball
