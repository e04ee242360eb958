#include "figure_texts.h"

#include <optional>

#include "display/pitch_figures.h"
#include "files/number_text.h"

namespace ball {

namespace {

std::string number(std::optional<double> v, double scale, int decimals) {
    return v ? fixedText(*v * scale, decimals) : "—";
}

std::optional<double> part(const std::optional<PlanePass>& p, double PlanePass::*member) {
    return p ? std::optional<double>((*p).*member) : std::nullopt;
}

}  // namespace

std::vector<FigureRow> figureRows(const DisplaySet* ball1, const DisplaySet* ball2) {
    // A ball's own figures first, then those of the two together. The decision point is
    // kDecisionBeforePlate (7.25 m) before the catcher plane.
    const auto row = [](const char* caption, bool together = false) {
        FigureRow r;
        r.caption = caption;
        r.together = together;
        return r;
    };
    std::vector<FigureRow> rows = {
        row("プレートでの左右 (cm、捕手から見て右が＋)"),
        row("プレートでの高さ (cm)"),
        row("プレートまでの時間 (s)"),
        row("判断点での左右 (cm、捕手から見て右が＋)"),
        row("判断点での高さ (cm)"),
        row("判断点での間隔 (cm)", true),
        row("プレートでの間隔 (cm)", true),
        row("間隔の比 (プレート÷判断点)", true),
        row("到着の時間差 (ms、ボール２−ボール１)", true),
    };
    const DisplaySet* sets[] = {ball1, ball2};
    for (int b = 0; b < 2; ++b) {
        BallFigures f;
        if (sets[b]) f = ballFigures(*sets[b]);
        rows[0].cells[b] = number(part(f.plate, &PlanePass::lateral), 100, 1);
        rows[1].cells[b] = number(part(f.plate, &PlanePass::height), 100, 1);
        rows[2].cells[b] = number(part(f.plate, &PlanePass::time), 1, 3);
        rows[3].cells[b] = number(part(f.decision, &PlanePass::lateral), 100, 1);
        rows[4].cells[b] = number(part(f.decision, &PlanePass::height), 100, 1);
    }
    PairFigures pair;
    if (ball1 && ball2) pair = pairFigures(*ball1, *ball2);
    rows[5].cells[0] = number(pair.decisionGap, 100, 1);
    rows[6].cells[0] = number(pair.plateGap, 100, 1);
    rows[7].cells[0] = number(pair.ratio, 1, 2);
    rows[8].cells[0] = number(pair.arrivalGap, 1000, 1);
    return rows;
}

std::string viewTipText(const DisplaySet* ball1, const DisplaySet* ball2, View view, double across,
                        double up) {
    if (!ball1) return {};
    std::string tip;
    // The side and top views compare the balls at the distance under the mouse; the catcher
    // view at Ball 1's point nearest the mouse.
    double distance = across;
    const DisplaySet* sets[] = {ball1, ball2};
    for (int b = 0; b < 2; ++b) {
        if (!sets[b]) continue;
        const DisplaySet& set = *sets[b];
        const int n = nearestPoint(set, view, across, up);
        if (n == 0) continue;
        const double y = set.ytraj[n].value();
        if (view == View::Catcher && b == 0) distance = y;
        if (!tip.empty()) tip += '\n';
        tip += std::string("ボール") + (b == 0 ? "１" : "２") + ": 距離 " + fixedText(y, 2) + " m";
        if (view != View::Top) tip += "、高さ " + fixedText(set.ztraj[n], 3) + " m";
        if (view != View::Side) tip += "、左右 " + fixedText(set.xtraj[n].value(), 3) + " m";
        tip += "、" + fixedText(pointTime(set, n), 3) + " s";
    }
    const auto passHere = [distance](const DisplaySet* set) {
        return set ? passAt(*set, distance) : std::nullopt;
    };
    if (const std::optional<double> gap = separation(passHere(ball1), passHere(ball2))) {
        if (!tip.empty()) tip += '\n';
        tip += "距離 " + fixedText(distance, 2) + " m での間隔 " + fixedText(*gap * 100, 1) + " cm";
    }
    return tip;
}

}  // namespace ball
