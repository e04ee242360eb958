#include "three_view.h"

#include "files/number_text.h"
#include "physics/constants.h"
#include "physics/run_error.h"

namespace ball {

namespace {

struct Corners {
    double left, top, right, bottom;
};

Corners corners(View view) {
    switch (view) {
        case View::Side: return {-1, 2.2, 20, -0.2};
        case View::Top: return {-1, 1.2, 20, -1.2};
        case View::Catcher: return {-1.2, 2.2, 1.2, -0.2};
    }
    return {};
}

void line(Canvas& c, double x1, double y1, double x2, double y2) {
    c.line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
           static_cast<float>(y2));
}

void label(Canvas& c, double x, double y, double value) {
    c.printNumber(static_cast<float>(x), static_cast<float>(y), numberText(value));
}

// Distance ticks stand on the line and point up; labels hang below, left of the tick.
void distanceTicks(Canvas& c) {
    for (int k = 1; k <= 18; ++k) {
        const double d = k;
        line(c, d, 0, d, 0.05);
        label(c, d - 0.2, -0.05, k);
    }
}

// Ticks point right from the vertical axis; each label's top edge is level with its tick.
void verticalTicks(Canvas& c, double offset, double labelX) {
    for (int k = 1; k <= 5; ++k) {
        const double v = 0.5 * k - offset;
        line(c, 0, v, 0.2, v);
        label(c, labelX, v, v);
    }
}

struct Mapped {
    float across;
    float up;
};

Mapped mapPoint(View view, const DisplaySet& set, int i) {
    if (i < 1 || i > kMaxTrajPoints) throw RunError(ErrorKind::SubscriptOutOfRange);
    switch (view) {
        case View::Side: return {set.ytraj[i].single(), set.ztraj[i]};
        case View::Top: return {set.ytraj[i].single(), set.xtraj[i].single()};
        case View::Catcher: return {set.xtraj[i].single(), set.ztraj[i]};
    }
    return {};
}

}  // namespace

std::string numberText(double v) {
    if (v == 0) v = 0;  // no minus sign on a negative zero
    std::string digits = shortestText(v);
    std::string text = v < 0 ? "-" : " ";
    if (v < 0) digits.erase(0, 1);
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
    return text + digits;
}

void drawFrame(Canvas& c, View view) {
    const Corners k = corners(view);
    c.setBackground(kWhite);
    c.setScale(k.left, k.top, k.right, k.bottom);
    c.setForeground(kBlack);
    switch (view) {
        case View::Side:
            line(c, 0, 0, kDist, 0);
            line(c, 0, 0, 0, 2);
            distanceTicks(c);
            verticalTicks(c, 0.5, -0.9);
            break;
        case View::Top:
            line(c, 0, 0, kDist, 0);
            line(c, 0, -1, 0, 1);
            distanceTicks(c);
            verticalTicks(c, 1.5, -0.9);
            break;
        case View::Catcher:
            line(c, -1, 0, 1, 0);
            line(c, 0, 0, 0, 2);
            for (int i = 1; i <= 5; ++i) {
                const double w = 0.5 * i - 1.5;
                line(c, w, 0, w, 0.05);
                label(c, w - 0.2, -0.05, w);
            }
            verticalTicks(c, 0.5, -0.3);
            break;
    }
}

void drawCurve(Canvas& c, View view, const DisplaySet& set, Rgb colour) {
    c.setForeground(colour);
    const double last = set.ntraj.value() - 1;
    for (int i = 1; i <= last; ++i) {
        const Mapped a = mapPoint(view, set, i);
        const Mapped b = mapPoint(view, set, i + 1);
        c.line(a.across, a.up, b.across, b.up);
    }
}

void drawViews(Views views, std::initializer_list<Curve> curves) {
    const std::pair<Canvas*, View> boxes[] = {
        {&views.side, View::Side}, {&views.top, View::Top}, {&views.catcher, View::Catcher}};
    for (const auto& [canvas, view] : boxes) {
        drawFrame(*canvas, view);
        for (const Curve& curve : curves) drawCurve(*canvas, view, curve.set, curve.colour);
    }
}

}  // namespace ball
