#include "figure_texts.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "display/pitch_figures.h"
#include "files/number_text.h"
#include "measured_pitch.h"
#include "physics/constants.h"

namespace ball {

namespace {

constexpr const char* kShortOfTheCatcher = "捕手の位置まで届かない";


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
        row("プレートまでの時間 (ms)"),
        row("判断点での左右 (cm、捕手から見て右が＋)"),
        row("判断点での高さ (cm)"),
        row("縦の変化量 (cm)"),
        row("横の変化量 (cm、三塁側が＋)"),
        row("変化の向き (投手の後ろから)"),
        row("判断点での間隔 (cm)", true),
        row("プレートでの間隔 (cm)", true),
        row("間隔の比 (プレート÷判断点)", true),
        row("到着の時間差 (ms、ボール２−ボール１)", true),
    };
    const DisplaySet* sets[] = {ball1, ball2};
    // Why a figure of the two together is missing where a ball bounced before its place.
    std::string bouncedAtPlate, bouncedAtDecision;
    for (int b = 0; b < 2; ++b) {
        BallFigures f;
        if (sets[b]) f = ballFigures(*sets[b]);
        rows[0].cells[b] = figureText(part(f.plate, &PlanePass::lateral), 1, 100);
        rows[1].cells[b] = figureText(part(f.plate, &PlanePass::height), 1, 100);
        rows[2].cells[b] = figureText(part(f.plate, &PlanePass::time), 1, 1000);
        rows[3].cells[b] = figureText(part(f.decision, &PlanePass::lateral), 1, 100);
        rows[4].cells[b] = figureText(part(f.decision, &PlanePass::height), 1, 100);
        // A drawn ball that stops short of the catcher, or bounces before a place, says so
        // there, not a dash and never a place under the ground.
        const std::string why = f.bounce ? bounceMark(*f.bounce) : kShortOfTheCatcher;
        for (int r = 0; r < 5 && sets[b]; ++r) {
            if (!(r < 3 ? f.plate : f.decision) && (r < 3 || f.bounce)) rows[r].cells[b] = why;
        }
        const std::string who = std::string(b == 0 ? "ボール１が" : "ボール２が");
        if (f.bounce && bouncedAtPlate.empty()) bouncedAtPlate = who + why;
        if (f.bounce && !f.decision && bouncedAtDecision.empty()) bouncedAtDecision = who + why;
        const auto side = [&](double Break::*m) {
            return f.pitchBreak ? std::optional<double>((*f.pitchBreak).*m) : std::nullopt;
        };
        rows[5].cells[b] = figureText(side(&Break::vertical), 1, 100);
        rows[6].cells[b] = figureText(side(&Break::horizontal), 1, -100);  // the pitcher's right +
        rows[7].cells[b] = f.pitchBreak ? clockText(breakClock(*f.pitchBreak)) : "—";
    }
    PairFigures pair;
    if (ball1 && ball2) pair = pairFigures(*ball1, *ball2);
    rows[8].cells[0] = centimetres(pair.decisionGap);
    rows[9].cells[0] = figureText(pair.plateGap, 1, 100);
    rows[10].cells[0] = figureText(pair.ratio, 2, 1);
    rows[11].cells[0] = figureText(pair.arrivalGap, 1, 1000);
    if (ball1 && ball2) {
        if (!bouncedAtDecision.empty()) rows[8].cells[0] = rows[10].cells[0] = bouncedAtDecision;
        if (!bouncedAtPlate.empty()) {
            for (int r : {9, 10, 11}) rows[r].cells[0] = bouncedAtPlate;
        }
    }
    return rows;
}

std::string centimetres(std::optional<double> metres) { return figureText(metres, 1, 100); }

std::string bounceMark(double metres) {
    return "ワンバウンド（リリースから " + fixedText(metres, 1) + " m）";
}

int movementChartReach(const std::vector<std::optional<Break>>& breaks) {
    int reach = 60;
    for (const std::optional<Break>& b : breaks) {
        if (!b) continue;
        const double farthest = std::max(std::abs(b->horizontal), std::abs(b->vertical)) * 100;
        while (farthest > reach) reach += 20;
    }
    return reach;
}

std::string decisionPointNote() {
    return "判断点: プレートの " + fixedText(kDecisionBeforePlate, 2) +
           " m 手前。\n打者がバットを振るかどうかを決めるころの位置です。";
}

std::string viewTipText(const DisplaySet* ball1, const DisplaySet* ball2, View view, double across,
                        double up) {
    const DisplaySet* sets[] = {ball1, ball2};
    // The side and top views compare the balls at the distance under the mouse; the catcher
    // view at the distance of the drawn point, of either ball, nearest the mouse.
    double distance = across;
    if (view == View::Catcher) {
        double nearest = 0;
        bool found = false;
        for (const DisplaySet* set : sets) {
            if (!set) continue;
            const int n = nearestPoint(*set, view, across, up);
            if (n == 0) continue;
            const double gap =
                std::hypot(set->xtraj[n].value() - across, double{set->ztraj[n]} - up);
            if (!found || gap < nearest)
                found = true, nearest = gap, distance = set->ytraj[n].value();
        }
        if (!found) return {};
        // The last points lie just beyond the catcher plane, each ball's a little differently:
        // there, compare the balls at the plane.
        distance = std::min(distance, kDist);
    }
    std::string tip;
    std::optional<PlanePass> passes[2];
    for (int b = 0; b < 2; ++b) {
        if (sets[b]) passes[b] = passAt(*sets[b], distance);
        if (!passes[b]) continue;
        const PlanePass& p = *passes[b];
        tip += std::string(tip.empty() ? "" : "\n") + "ボール" + (b == 0 ? "１" : "２") + ": ";
        // Past its bounce a ball is under the ground: no place, and no gap to the other.
        if (const auto bounce = bounceDistance(*sets[b]); bounce && *bounce <= distance) {
            tip += bounceMark(*bounce) + "の後";
            passes[b].reset();
            continue;
        }
        if (view != View::Side) tip += "左右 " + fixedText(p.lateral * 100, 1) + " cm、";
        if (view != View::Top) tip += "高さ " + fixedText(p.height * 100, 1) + " cm、";
        tip += fixedText(p.time * 1000, 1) + " ms";
    }
    if (tip.empty()) return {};
    tip = "距離 " + fixedText(distance, 2) + " m\n" + tip;
    if (passes[0] && passes[1]) {
        // What the view shows apart: height from the side, left-right from above, both from
        // the catcher.
        const double sideways = passes[0]->lateral - passes[1]->lateral;
        const double vertical = passes[0]->height - passes[1]->height;
        const double gap = view == View::Side  ? std::abs(vertical)
                           : view == View::Top ? std::abs(sideways)
                                               : std::hypot(sideways, vertical);
        const char* kind = view == View::Side  ? "上下の間隔"
                           : view == View::Top ? "左右の間隔"
                                               : "間隔";
        tip += std::string("\n") + kind + " " + fixedText(gap * 100, 1) + " cm";
    }
    return tip;
}

}  // namespace ball
