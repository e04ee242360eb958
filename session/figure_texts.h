#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/display_set.h"
#include "display/pitch_figures.h"
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

/// A length in m as the figures show it: in cm to a tenth, "—" when there is none.
std::string centimetres(std::optional<double> metres);

/// The mark of a ball that bounces in front of the plate, that far from release.
std::string bounceMark(double metres);

/// One line on the decision point of the figures, computed from its distance.
std::string decisionPointNote();

/// How far the movement chart reaches each way from its centre, cm: 60, and 20 more for each
/// step a break lies beyond, so that charts of most pitches share one scale.
int movementChartReach(const std::vector<std::optional<Break>>& breaks);

/// What a view tells about the place (across, up) under the mouse: the drawn balls at one
/// distance along the pitch, with their times and the separation the view shows. The side and
/// top views take the distance under the mouse; the catcher view the distance of the drawn
/// point, of either ball, nearest the mouse. Lengths in cm as in the figures. Empty where no
/// ball is drawn there.
std::string viewTipText(const DisplaySet* ball1, const DisplaySet* ball2, View view, double across,
                        double up);

}  // namespace ball
