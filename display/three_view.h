#pragma once

#include <string>

#include "canvas.h"
#include "display_set.h"

namespace ball {

/// The three views of a pitch.
enum class View {
    Side,     // from the third-base side: distance across, height up (Picture1)
    Top,      // from straight above: distance across, minus lateral up (Picture2)
    Catcher,  // from the catcher: minus lateral across, height up (Picture3)
};

/// Clears the box and draws the view's coordinate window, axes, ticks and labels.
void drawFrame(Canvas& canvas, View view);

/// Draws a set's points as a chain of segments in the colour.
void drawCurve(Canvas& canvas, View view, const DisplaySet& set, Rgb colour);

/// A number as the platform's print shows it: a blank for the sign of a non-negative value,
/// no zero before the decimal point (" 1", " .5", "-.5").
std::string numberText(double v);

}  // namespace ball
