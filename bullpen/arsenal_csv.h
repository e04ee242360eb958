#pragma once

#include <string>

#include "arsenal.h"

// The arsenal as the command line writes it, for scripts.
namespace ball {

/// The types as CSV for scripts, and the pairs; see the README for their columns.
std::string arsenalCsv(const Arsenal& a);
std::string pairsCsv(const Arsenal& a);

/// A pair's figures as the CSV gives them: separations in cm to 2 decimals, the ratio to 3, the
/// arrival gap in ms to 1; empty where a figure does not exist.
struct PairTexts {
    std::string decisionCm, plateCm, ratio, arrivalMs;
};
PairTexts pairTexts(const PairFigures& f);

}  // namespace ball
