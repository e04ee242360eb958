#include "arsenal_csv.h"

#include "display/pitch_figures.h"
#include "files/csv_table.h"
#include "files/number_text.h"

namespace ball {

namespace {

// A figure of the CSV: an empty field where there is none.
std::string optionalFixed(std::optional<double> v, int decimals, double scale = 1) {
    return figureText(v, decimals, scale, "");
}

// A model's break in cm to 2 decimals, up or to the pitcher's right; empty without one.
std::string modelBreakText(const PitchType& t, double Break::*part) {
    if (!t.modelBreak) return {};
    return optionalFixed((*t.modelBreak).*part, 2, part == &Break::horizontal ? -100 : 100);
}

}  // namespace

std::string arsenalCsv(const Arsenal& a) {
    std::string out =
        "pitcher,hand,type,count,speed_kmh,spin_rpm,tilt,ivb_cm,hb_cm,model_speed_kmh,"
        "model_spin_rps,model_axis_deg,model_ivb_cm,model_hb_cm,release_side_cm,"
        "release_height_cm,extension_m,plate_side_cm,plate_height_cm,model_plate_side_cm,"
        "model_plate_height_cm,model_alpha_rad,model_beta_rad,model_bounce_m,implied_efficiency_"
        "pct,"
        "predicted_ivb_cm,predicted_hb_cm,unexplained_ivb_cm,unexplained_hb_cm\n";
    for (const PitchType& t : a.types) {
        const bool fitted = t.fitted();
        // A model that bounces crosses the plate plane under the ground: no place there.
        const std::optional<double> bounce =
            t.thrown ? bounceDistance(t.thrown->set) : std::nullopt;
        const Crossing* plate =
            t.thrown && t.thrown->plate && !bounce ? &*t.thrown->plate : nullptr;
        out += csvField(t.pitcher) + ',' + csvField(t.hand) + ',' + csvField(t.type) + ',' +
               std::to_string(t.count()) + ',' + optionalFixed(t.speedKmh, 2) + ',' +
               optionalFixed(t.rpm, 0) + ',' + (t.tilt ? clockText(*t.tilt) : "") + ',' +
               optionalFixed(t.verticalCm, 2) + ',' + optionalFixed(t.horizontalCm, 2, -1) + ',' +
               (fitted ? t.model.speed : "") + ',' + (fitted ? t.model.spin : "") + ',' +
               (fitted ? t.model.axis : "") + ',' + modelBreakText(t, &Break::vertical) + ',' +
               modelBreakText(t, &Break::horizontal) + ',';
        out += optionalFixed(t.relSideM, 2, 100) + ',' + optionalFixed(t.relHeightM, 2, 100) +
               ',' + optionalFixed(t.extensionM, 2) + ',' + optionalFixed(t.plateSideM, 2, 100) +
               ',' + optionalFixed(t.plateHeightM, 2, 100) + ',';
        // Where the model crossed the plate plane, the catcher's right +; its angles as
        // "initdir.txt" keeps them, to fly it again.
        out += (plate ? optionalFixed(-plate->x, 2, 100) : "") + ',' +
               (plate ? optionalFixed(plate->z, 2, 100) : "") + ',' +
               (t.thrown ? shortestText(t.thrown->alpha) : "") + ',' +
               (t.thrown ? shortestText(t.thrown->beta) : "") + ',' + optionalFixed(bounce, 2) +
               ',';
        // The realistic model's reading of its spin, breaks the pitcher's right +.
        const TypeDesign& d = t.design;
        const auto part = [](const std::optional<DeviceBreak>& b, double DeviceBreak::*p) {
            return b ? optionalFixed((*b).*p, 2) : std::string();
        };
        out += optionalFixed(d.impliedEfficiencyPct, 1) + ',' +
               part(d.predicted, &DeviceBreak::upCm) + ',' +
               part(d.predicted, &DeviceBreak::rightCm) + ',' +
               part(d.unexplained, &DeviceBreak::upCm) + ',' +
               part(d.unexplained, &DeviceBreak::rightCm) + '\n';
    }
    return out;
}

PairTexts pairTexts(const TunnelFigures& f) {
    return {.releaseCm = optionalFixed(f.releaseGap, 2, 100),
            .tunnelCm = optionalFixed(f.tunnelGap, 2, 100),
            .plateCm = optionalFixed(f.plateGap, 2, 100),
            .postTunnelCm = optionalFixed(f.postTunnelBreak, 2, 100),
            .ratio = optionalFixed(f.ratio, 3),
            .arrivalMs = optionalFixed(f.arrivalGap, 1, 1000),
            .speedKmh = optionalFixed(f.speedGap, 2)};
}

std::string bouncedTypes(const Arsenal& a, const TypePair& p) {
    std::string names;
    for (int k = 0; k < 2; ++k) {
        if (!p.figures.bounce[k]) continue;
        if (!names.empty()) names += ';';
        names += a.types[k == 0 ? p.first : p.second].type;
    }
    return names;
}

std::string pairsCsv(const Arsenal& a) {
    std::string out =
        "pitcher,type1,type2,pairing,count,release_gap_cm,tunnel_gap_cm,plate_gap_cm,"
        "post_tunnel_break_cm,break_tunnel_ratio,arrival_gap_ms,speed_gap_kmh,bounced\n";
    for (const TypePair& p : a.pairs) {
        const PitchType &one = a.types[p.first], &two = a.types[p.second];
        const bool consecutive = a.pairing == Pairing::Consecutive;
        const bool thrown = consecutive || (one.thrown && two.thrown);
        const PairTexts t = pairTexts(p.figures);
        out += csvField(one.pitcher) + ',' + csvField(one.type) + ',' + csvField(two.type) +
               (consecutive ? ",consecutive," : ",means,") + std::to_string(p.count) + ',' +
               t.releaseCm + ',' +
               t.tunnelCm + ',' + t.plateCm + ',' + t.postTunnelCm + ',' + t.ratio + ',' +
               t.arrivalMs + ',' + (thrown ? t.speedKmh : "") + ',' +
               csvField(bouncedTypes(a, p)) + '\n';
    }
    return out;
}

}  // namespace ball
