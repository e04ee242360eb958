#include "pitch_design.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "arsenal.h"
#include "arsenal_fit.h"
#include "files/number_text.h"

namespace ball {

namespace {

// The measured break, up and to the pitcher's right, cm.
DeviceBreak measuredBreak(const PitchType& t) { return {t.verticalCm, -t.horizontalCm}; }

// Degrees from 12:00 toward the pitcher's right (3:00) of a break.
double directionOf(const DeviceBreak& b) {
    return std::atan2(b.rightCm, b.upCm) * 180 / std::numbers::pi;
}

// The tilt the realistic model throws a type with: as measured, else its break's own way.
double tiltOf(const PitchType& t) {
    return t.tilt ? clockToAxisAngle(*t.tilt) : directionOf(measuredBreak(t));
}

}  // namespace

RealDelivery realDeliveryOf(const PitchType& t) {
    RealDelivery d;
    if (t.relHeightM) d.releaseHeightM = *t.relHeightM;
    if (t.relSideM) d.releaseSideM = *t.relSideM;
    if (t.extensionM) d.extensionM = *t.extensionM;
    if (t.plateHeightM) d.plateHeightM = *t.plateHeightM;
    if (t.plateSideM) d.plateSideM = -*t.plateSideM;  // kept as the catcher sees it
    return d;
}

TypeDesign designOf(const PitchType& t, const Air& air) {
    TypeDesign d;
    if (!t.rpm) return d;
    try {
        const DeviceBreak measured = measuredBreak(t);
        const auto aimed = [&](double efficiency) {
            return realPitch(t.speedKmh, *t.rpm, efficiency, tiltOf(t), realDeliveryOf(t), air);
        };
        // Aimed with all its spin, so a file with efficiencies implies what one without does.
        const std::optional<RealPitch> whole = aimed(100);
        if (!whole) return d;
        d.impliedEfficiencyPct =
            impliedEfficiency(*whole, std::hypot(measured.upCm, measured.rightCm), air);
        d.beyondAllSpin = !d.impliedEfficiencyPct;
        if (!t.efficiency || !t.tilt) return d;
        const std::optional<RealPitch> asMeasured = aimed(*t.efficiency);
        if (asMeasured) d.predicted = realBreak(*asMeasured, air);
        if (!d.predicted) return d;
        d.unexplained =
            DeviceBreak{measured.upCm - d.predicted->upCm, measured.rightCm - d.predicted->rightCm};
        d.unexplainedClock = axisAngleToClock(directionOf(*d.unexplained));
    } catch (const RunError&) {
        // A figure past any range a pitch reaches: nothing to say.
    }
    return d;
}

std::optional<WhatIf> parseWhatIf(std::string_view text, std::string& error, Language language) {
    const bool en = language == Language::English;
    WhatIf w;
    while (!text.empty()) {
        // KEY=VALUE, the value in double quotes where it holds a comma ("Sato, Kenta").
        const std::size_t eq = std::min(text.find('='), text.find(','));
        const bool given = eq != text.npos && text[eq] == '=';
        const std::string key(text.substr(0, eq));
        text = eq == text.npos ? std::string_view() : text.substr(eq + 1);
        std::string value;
        if (given) {
            const std::size_t close = text.size() > 1 && text[0] == '"' ? text.find('"', 1)
                                                                        : text.npos;
            if (close != text.npos) {
                value = text.substr(1, close - 1);
                text = text.substr(close + 1);
            }
            const std::size_t comma = text.find(',');
            value += text.substr(0, comma);
            text = comma == text.npos ? std::string_view() : text.substr(comma + 1);
        }
        if (key == "type" || key == "pitcher") {
            (key == "type" ? w.type : w.pitcher) = value;
            continue;
        }
        // The air: a value as written, a sign being a temperature's or an altitude's own.
        std::optional<double>* air = key == "temp"       ? &w.temperatureC
                                     : key == "humidity" ? &w.humidityPct
                                     : key == "altitude" ? &w.altitudeM
                                                         : nullptr;
        if (air) {
            const AirRange range = key == "temp"       ? kAirTemperatureC
                                   : key == "humidity" ? kAirHumidityPct
                                                       : kAirAltitudeM;
            *air = parseWholeNumber(value);
            if (!*air || !(**air >= range.low && **air <= range.high)) {
                const std::string low = fixedText(range.low, 0), high = fixedText(range.high, 0);
                error = en ? "what-if " + key + " '" + value + "' is not a number from " + low +
                                 " to " + high
                           : "もしもの " + key + "「" + value + "」は " + low + " から " + high +
                                 " までの数ではありません";
                return std::nullopt;
            }
            continue;
        }
        std::optional<Change>* figure = key == "rpm"     ? &w.rpm
                                        : key == "eff"   ? &w.efficiencyPct
                                        : key == "speed" ? &w.speedKmh
                                        : key == "tilt"  ? &w.tiltMinutes
                                                         : nullptr;
        if (!figure) {
            error = (en ? "unknown what-if figure '" + key + "'"
                        : "もしもの「" + key + "」は知らない項目です") +
                    " (type, pitcher, rpm, eff, speed, tilt, temp, humidity, altitude)";
            return std::nullopt;
        }
        const bool relative = !value.empty() && (value[0] == '+' || value[0] == '-');
        std::optional<double> number;
        if (key == "tilt" && !relative) {
            if (const std::optional<Clock> c = parseClock(value)) number = clockMinutes(*c);
        } else {
            number = parseWholeNumber(value);
        }
        if (!number || !std::isfinite(*number)) {
            const std::string form =
                key == "tilt" ? (en ? "h:mm or signed minutes" : "h:mm か +/- つきの分")
                              : (en ? "a number or a signed change" : "数か +/- つきの増減");
            error = en ? "what-if " + key + " '" + value + "' is not " + form
                       : "もしもの " + key + "「" + value + "」は" + form + "ではありません";
            return std::nullopt;
        }
        *figure = Change{*number, relative};
    }
    if (w.type.empty()) {
        error =
            en ? "a what-if names its type: type=NAME" : "もしもには球種を type=名前 で指定します";
        return std::nullopt;
    }
    return w;
}

std::optional<PitchType> changedType(const PitchType& t, const WhatIf& w, std::string& error,
                                     Language language, const Air& air) {
    const bool en = language == Language::English;
    if (!t.rpm) {
        error = t.type + (en ? ": no spin rate measured, so no spin to change"
                             : ": 回転数が計測されていないので、回転を変えられません");
        return std::nullopt;
    }
    Air there = air;
    if (w.temperatureC) there.temperatureC = *w.temperatureC;
    if (w.humidityPct) there.humidityPct = *w.humidityPct;
    if (w.altitudeM) there.altitudeM = *w.altitudeM, there.pressureHpa.reset();
    // Without one in the file, the efficiency its break implies.
    const double efficiency =
        t.efficiency ? *t.efficiency : designOf(t, air).impliedEfficiencyPct.value_or(100);
    const double tilt = tiltOf(t);
    PitchType c = t;
    c.speedKmh = w.speedKmh ? w.speedKmh->applied(t.speedKmh) : t.speedKmh;
    c.rpm = w.rpm ? w.rpm->applied(*t.rpm) : *t.rpm;
    const double changedEfficiency =
        w.efficiencyPct ? w.efficiencyPct->applied(efficiency) : efficiency;
    // An efficiency the file did not give stays unsaid unless the change sets it.
    if (t.efficiency || w.efficiencyPct) c.efficiency = changedEfficiency;
    const double minutes = w.tiltMinutes ? w.tiltMinutes->applied(tilt * 2) : tilt * 2;
    if (!(c.speedKmh >= slowestStorableSpeed() && c.speedKmh <= kFastestMeasuredKmh) ||
        !(*c.rpm >= kMeasuredRpm.low && *c.rpm <= kMeasuredRpm.high) ||
        !(changedEfficiency >= kMeasuredEfficiency.low &&
          changedEfficiency <= kMeasuredEfficiency.high)) {
        error = t.type + (en ? " as changed: speed " : " を変えると: 速度 ") +
                fixedText(c.speedKmh, 1) + " km/h, " + fixedText(*c.rpm, 0) + " rpm, " +
                fixedText(changedEfficiency, 1) +
                (en ? " %: each must lie within " : " %（範囲は ") +
                fixedText(slowestStorableSpeed(), 1) + "-" + fixedText(kFastestMeasuredKmh, 0) +
                " km/h, " + fixedText(kMeasuredRpm.low, 0) + "-" + fixedText(kMeasuredRpm.high, 0) +
                " rpm, " + fixedText(kMeasuredEfficiency.low, 0) + "-" +
                fixedText(kMeasuredEfficiency.high, 0) + (en ? " %" : " %）");
        return std::nullopt;
    }
    if (t.tilt || w.tiltMinutes) c.tilt = axisAngleToClock(minutes / 2);
    try {
        // Both released in the direction aimed as measured: the change moves the plate place.
        const std::optional<RealPitch> base =
            realPitch(t.speedKmh, *t.rpm, efficiency, tilt, realDeliveryOf(t), air);
        if (!base) throw RunError(ErrorKind::Overflow);
        RealPitch changed = *base;
        changed.speedMs = c.speedKmh / 3.6, changed.rpm = *c.rpm;
        changed.efficiencyPct = changedEfficiency, changed.tiltDeg = minutes / 2;
        const std::optional<RealFlight> before = flyReal(*base, air),
                                        after = flyReal(changed, there);
        if (!before || !after) throw RunError(ErrorKind::Overflow);
        c.verticalCm += (after->verticalM - before->verticalM) * 100;
        c.horizontalCm -= (after->horizontalM - before->horizontalM) * 100;
        if (c.plateHeightM) *c.plateHeightM += after->plateHeightM - before->plateHeightM;
        if (c.plateSideM) *c.plateSideM -= after->plateSideM - before->plateSideM;
    } catch (const RunError&) {
        error = t.type +
                (en ? " as changed does not reach the plate" : " を変えると、プレートに届きません");
        return std::nullopt;
    }
    c.model = {}, c.modelBreak.reset(), c.thrown.reset();
    c.design = designOf(c, there);
    return c;
}

WhatIfOutcome whatIfOutcome(const Arsenal& a, int changed, const PitchType& as) {
    Arsenal one;
    one.types = {as};
    one.targetColumn = a.targetColumn, one.targetRow = a.targetRow;
    fitArsenal(one, {.design = false});  // read already, in the air it is thrown in
    one.types[0].design = as.design;
    PitcherTypes part = pitcherTypes(a, changed);
    std::vector<PitchType>& types = part.arsenal.types;
    types[part.type] = std::move(one.types[0]);
    WhatIfOutcome out;
    out.changed = part.type;
    for (TypePair p : meanPairs(part.arsenal)) {
        if (p.first != out.changed && p.second != out.changed) continue;
        const PitchType &first = types[p.first], &second = types[p.second];
        if (first.thrown && second.thrown) p.figures = tunnelFigures(*first.thrown, *second.thrown);
        out.pairs.push_back(p);
        // The same pair with the type as measured.
        const auto measured = [&](int k) -> const PitchType& {
            return k == out.changed ? a.types[changed] : types[k];
        };
        const PitchType &was1 = measured(p.first), &was2 = measured(p.second);
        out.before.push_back(was1.thrown && was2.thrown ? tunnelFigures(*was1.thrown, *was2.thrown)
                                                        : TunnelFigures{});
    }
    out.types = std::move(types);
    return out;
}

}  // namespace ball
