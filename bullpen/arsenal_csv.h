#pragma once

#include <string>

#include "arsenal.h"

// The arsenal as the command line writes it, for scripts.
namespace ball {

/// The types as CSV for scripts, and the pairs; see the README for their columns.
std::string arsenalCsv(const Arsenal& a);
std::string pairsCsv(const Arsenal& a);

/// A pair's figures as the CSV gives them: gaps and breaks in cm to 2 decimals, the ratio to 3,
/// the arrival gap in ms to 1, the speed gap in km/h to 2; empty where a figure does not exist.
struct PairTexts {
    std::string releaseCm, tunnelCm, plateCm, postTunnelCm, ratio, arrivalMs, speedKmh;
};
PairTexts pairTexts(const TunnelFigures& f);
/// The types of a pair that bounce before the plate, parted by ';'; empty when neither does.
std::string bouncedTypes(const Arsenal& a, const TypePair& p);

}  // namespace ball
