#pragma once

#include <optional>
#include <vector>

#include "arsenal.h"

// Consecutive pitches: each pitch and the next one its pitcher threw to the same batter.
namespace ball {

/// The pairs of consecutive pitches of two types, grouped by the ordered pair of types: the
/// count, and the median and interquartile range of each figure. Pitches follow one another
/// within one plate appearance where the file names them (game, inning, plate appearance,
/// batter), else as the pitcher's rows follow; a pair of one type, or with a pitch not thrown,
/// is left out. `thrown` is indexed as the bullpen's pitches.
std::vector<TypePair> consecutivePairs(const Arsenal& a,
                                       const std::vector<std::optional<ThrownPitch>>& thrown);

/// Each pitcher's pair with the largest ratio gets ★: among pairs of at least
/// kLeastConsecutive pitches, or any pair of type means.
inline constexpr int kLeastConsecutive = 5;
void markBest(Arsenal& a);

}  // namespace ball
