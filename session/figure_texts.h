#pragma once

#include <string>
#include <vector>

#include "display/display_set.h"
#include "display/three_view.h"

// The figures of the drawn balls as the window shows them, as UTF-8 text.
namespace ball {

/// One row of "投球の数値": a figure's caption and its text for each ball. A figure of the two
/// balls together has its text in the first cell, which spans both.
struct FigureRow {
    std::string caption;
    std::string cells[2];
    bool together = false;
};

/// The rows for the balls drawn; a ball not drawn is null and its cells read "—".
std::vector<FigureRow> figureRows(const DisplaySet* ball1, const DisplaySet* ball2);

/// What a view tells about the place (across, up) under the mouse: each drawn ball's nearest
/// stored point there, with its time, and the balls' separation at that distance. Empty before
/// any ball is drawn.
std::string viewTipText(const DisplaySet* ball1, const DisplaySet* ball2, View view, double across,
                        double up);

}  // namespace ball
