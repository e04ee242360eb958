#pragma once

#include <initializer_list>
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

/// The three picture boxes: side (Picture1), top (Picture2), catcher (Picture3).
struct Views {
    Canvas& side;
    Canvas& top;
    Canvas& catcher;
};

/// One curve of a drawing: a set's points in a colour.
struct Curve {
    const DisplaySet& set;
    Rgb colour;
};

/// Clears and draws the three views, side, top, then catcher, each to completion before the
/// next: its frame, then the curves in the order given, the last on top.
void drawViews(Views views, std::initializer_list<Curve> curves);

/// A number as the platform's print shows it: a blank for the sign of a non-negative value,
/// no zero before the decimal point (" 1", " .5", "-.5").
std::string numberText(double v);

}  // namespace ball
