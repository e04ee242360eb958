#pragma once

#include <functional>
#include <optional>

#include "display/pitch_figures.h"

// The spin that gives a measured break.
namespace ball {

/// The break of a pitch thrown with a release spin in rev/s: quick (one pass in a first
/// direction, unaimed) or for real; none where the ball does not arrive.
using SpinThrow = std::function<std::optional<Break>(double spin, bool quick)>;

/// The lowest release spin, in hundredths of rev/s, whose real throw breaks within kBreakMatch of
/// the target, found as a scale of spins from the lowest up would find it; none when no spin up
/// to kMeasuredRpm's highest does.
std::optional<int> lowestSpinFor(const Break& target, const SpinThrow& breakAt);

}  // namespace ball
