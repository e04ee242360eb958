#pragma once

#include <optional>
#include <string>
#include <vector>

#include "arsenal.h"

// Two sessions side by side, type by type: how a pitcher's pitches moved from one to the other.
namespace ball {

/// One pitcher's type in either session: its counts, and the change of each figure from the
/// first session to the second (the second's less the first's) where both measured it.
struct TypeChange {
    std::string pitcher = {}, type = {};
    int countBefore = 0, countAfter = 0;
    std::optional<double> speedKmh = {}, rpm = {};
    std::optional<int> tiltMinutes = {};  // the shorter way round the clock, + clockwise
    std::optional<double> verticalCm = {}, horizontalCm = {};  // horizontal the pitcher's right +
    std::optional<double> relHeightCm = {}, relSideCm = {}, extensionCm = {};
    std::optional<double> plateHeightCm = {}, plateSideCm = {};
};

/// Every type of either session's pitches to those batters (and of that pitcher, where one is
/// named): the first session's in its order, then the second's new ones.
std::vector<TypeChange> compareSessions(const Bullpen& before, const Bullpen& after,
                                        BatterSide side = BatterSide::All,
                                        const std::string& pitcher = {});

}  // namespace ball
