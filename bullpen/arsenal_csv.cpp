#include "arsenal_csv.h"

#include "files/csv_table.h"
#include "files/number_text.h"

namespace ball {

namespace {

// A figure of the CSV: an empty field where there is none.
std::string optionalFixed(std::optional<double> v, int decimals, double scale = 1) {
    return figureText(v, decimals, scale, "");
}

// A model's break in cm to 2 decimals, up or to the catcher's right; empty without one.
std::string modelBreakText(const PitchType& t, double Break::*part) {
    if (!t.modelBreak) return {};
    return optionalFixed((*t.modelBreak).*part, 2, 100);
}

}  // namespace

PairTexts pairTexts(const PairFigures& f) {
    PairTexts t;
    t.decisionCm = optionalFixed(f.decisionGap, 2, 100);
    t.plateCm = optionalFixed(f.plateGap, 2, 100);
    t.ratio = optionalFixed(f.ratio, 3);
    t.arrivalMs = optionalFixed(f.arrivalGap, 1, 1000);
    return t;
}

std::string arsenalCsv(const Arsenal& a) {
    std::string out =
        "pitcher,hand,type,count,speed_kmh,spin_rpm,tilt,ivb_cm,hb_cm,model_speed_kmh,"
        "model_spin_rps,model_axis_deg,model_ivb_cm,model_hb_cm\n";
    for (const PitchType& t : a.types) {
        const bool fitted = t.fitted();
        out += csvField(t.pitcher) + ',' + csvField(t.hand) + ',' + csvField(t.type) + ',' +
               std::to_string(t.count()) + ',' + optionalFixed(t.speedKmh, 2) + ',' +
               optionalFixed(t.rpm, 0) + ',' + (t.tilt ? clockText(*t.tilt) : "") + ',' +
               optionalFixed(t.verticalCm, 2) + ',' + optionalFixed(t.horizontalCm, 2) + ',' +
               (fitted ? t.model.speed : "") + ',' + (fitted ? t.model.spin : "") + ',' +
               (fitted ? t.model.axis : "") + ',' + modelBreakText(t, &Break::vertical) + ',' +
               modelBreakText(t, &Break::horizontal) + '\n';
    }
    return out;
}

std::string pairsCsv(const Arsenal& a) {
    std::string out = "pitcher,type1,type2,decision_gap_cm,plate_gap_cm,ratio,arrival_gap_ms\n";
    for (const TypePair& p : a.pairs) {
        const PitchType& one = a.types[p.first];
        const PairTexts t = pairTexts(p.figures);
        out += csvField(one.pitcher) + ',' + csvField(one.type) + ',' +
               csvField(a.types[p.second].type) + ',' + t.decisionCm + ',' + t.plateCm + ',' +
               t.ratio + ',' + t.arrivalMs + '\n';
    }
    return out;
}

}  // namespace ball
