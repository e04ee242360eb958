#include "arsenal.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace ball {

namespace {

double mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / static_cast<double>(v.size());
}

double sampleSd(const std::vector<double>& v) {
    if (v.size() < 2) return 0;
    const double m = mean(v);
    double sum = 0;
    for (double x : v) sum += (x - m) * (x - m);
    return std::sqrt(sum / static_cast<double>(v.size() - 1));
}

// The mean direction of clock readings in minutes past 12:00; none when they cancel out.
std::optional<Clock> circularMean(const std::vector<double>& minutes) {
    if (minutes.empty()) return std::nullopt;
    double c = 0, s = 0;
    for (double m : minutes) {
        const double a = m / 720 * 2 * std::numbers::pi;
        c += std::cos(a), s += std::sin(a);
    }
    if (std::hypot(c, s) < 1e-9 * static_cast<double>(minutes.size())) return std::nullopt;
    // Half a degree a minute, as the clock of a direction.
    return axisAngleToClock(std::atan2(s, c) * 180 / std::numbers::pi);
}

}  // namespace

bool facing(const BullpenPitch& p, BatterSide side) {
    const std::string& s = p.batterSide;
    switch (side) {
        case BatterSide::Right:
            return s.starts_with('R') || s.starts_with('r') || s.starts_with("右");
        case BatterSide::Left:
            return s.starts_with('L') || s.starts_with('l') || s.starts_with("左");
        case BatterSide::All:
            break;
    }
    return true;
}

bool hasBatterSides(const Bullpen& b) {
    return std::any_of(b.pitches.begin(), b.pitches.end(),
                       [](const BullpenPitch& p) { return !p.batterSide.empty(); });
}

std::vector<std::string> pitchersOf(const Bullpen& b) {
    std::vector<std::string> pitchers;
    for (const BullpenPitch& p : b.pitches) {
        if (std::find(pitchers.begin(), pitchers.end(), p.pitcher) == pitchers.end()) {
            pitchers.push_back(p.pitcher);
        }
    }
    return pitchers;
}

Arsenal groupArsenal(Bullpen bullpen, BatterSide side, const std::string& pitcher) {
    Arsenal a;
    a.bullpen = std::move(bullpen);
    a.batterSide = side;
    a.pitcher = pitcher;
    std::vector<std::string> pitchers;
    std::map<std::pair<std::string, std::string>, int> index;
    for (int i = 0; i < static_cast<int>(a.bullpen.pitches.size()); ++i) {
        const BullpenPitch& p = a.bullpen.pitches[i];
        if (!facing(p, side) || (!pitcher.empty() && p.pitcher != pitcher)) continue;
        if (std::find(pitchers.begin(), pitchers.end(), p.pitcher) == pitchers.end()) {
            pitchers.push_back(p.pitcher);
        }
        const auto [at, added] =
            index.try_emplace({p.pitcher, p.type}, static_cast<int>(a.types.size()));
        if (added) {
            PitchType t;
            t.pitcher = p.pitcher, t.hand = p.hand, t.type = p.type;
            a.types.push_back(std::move(t));
        }
        a.types[at->second].pitches.push_back(i);
    }
    for (PitchType& t : a.types) {
        std::vector<double> speed, vertical, horizontal, tilt;
        std::vector<double> rpm, efficiency, height, side, extension;  // where measured
        std::vector<double> plateHeight, plateSide;
        const auto add = [](std::vector<double>& to, const std::optional<double>& v) {
            if (v) to.push_back(*v);
        };
        for (int i : t.pitches) {
            const BullpenPitch& p = a.bullpen.pitches[i];
            speed.push_back(p.speedKmh);
            vertical.push_back(p.verticalCm);
            horizontal.push_back(p.horizontalCm);
            add(tilt, p.tiltMinutes);
            add(rpm, p.rpm), add(efficiency, p.efficiency);
            add(height, p.relHeightM), add(side, p.relSideM), add(extension, p.extensionM);
            add(plateHeight, p.plateHeightM), add(plateSide, p.plateSideM);
        }
        t.speedKmh = mean(speed), t.speedSd = sampleSd(speed);
        t.verticalCm = mean(vertical), t.verticalSd = sampleSd(vertical);
        t.horizontalCm = mean(horizontal), t.horizontalSd = sampleSd(horizontal);
        t.tilt = circularMean(tilt);
        const auto meanOf = [](const std::vector<double>& v) {
            return v.empty() ? std::nullopt : std::optional(mean(v));
        };
        t.rpm = meanOf(rpm), t.efficiency = meanOf(efficiency);
        t.relHeightM = meanOf(height), t.relSideM = meanOf(side), t.extensionM = meanOf(extension);
        t.plateHeightM = meanOf(plateHeight), t.plateSideM = meanOf(plateSide);
    }
    // Each pitcher's types together, the most thrown first.
    const auto rank = [&](const PitchType& t) {
        return std::find(pitchers.begin(), pitchers.end(), t.pitcher) - pitchers.begin();
    };
    std::stable_sort(a.types.begin(), a.types.end(), [&](const PitchType& x, const PitchType& y) {
        return rank(x) != rank(y) ? rank(x) < rank(y) : x.count() > y.count();
    });
    a.pairs = meanPairs(a);
    return a;
}

std::vector<int> typeOfPitches(const Arsenal& a) {
    std::vector<int> typeOf(a.bullpen.pitches.size(), -1);
    for (int t = 0; t < static_cast<int>(a.types.size()); ++t) {
        for (int i : a.types[t].pitches) typeOf[i] = t;
    }
    return typeOf;
}

std::vector<TypePair> meanPairs(const Arsenal& a) {
    std::vector<TypePair> pairs;
    for (int i = 0; i < static_cast<int>(a.types.size()); ++i) {
        for (int j = i + 1; j < static_cast<int>(a.types.size()); ++j) {
            const PitchType &one = a.types[i], &two = a.types[j];
            if (one.pitcher == two.pitcher) pairs.push_back({i, j, one.count() + two.count()});
        }
    }
    return pairs;
}

std::optional<TypeExcess> typeExcess(const Arsenal& a) {
    if (static_cast<int>(a.types.size()) > kMaxTypes) {
        return TypeExcess{"", static_cast<int>(a.types.size()), kMaxTypes};
    }
    std::map<std::string, int> perPitcher;
    for (const PitchType& t : a.types) {
        if (++perPitcher[t.pitcher] > kMaxTypesPerPitcher) {
            const auto n = std::count_if(a.types.begin(), a.types.end(), [&](const PitchType& u) {
                return u.pitcher == t.pitcher;
            });
            return TypeExcess{t.pitcher, static_cast<int>(n), kMaxTypesPerPitcher};
        }
    }
    return std::nullopt;
}

std::vector<ChartGroup> chartGroups(const Arsenal& a) {
    const bool onePitcher = std::all_of(a.types.begin(), a.types.end(), [&](const PitchType& t) {
        return t.pitcher == a.types[0].pitcher;
    });
    std::vector<ChartGroup> groups;
    for (const PitchType& t : a.types) {
        ChartGroup g{onePitcher ? t.type : t.pitcher + " " + t.type,
                     {},
                     {t.horizontalCm / 100, t.verticalCm / 100}};
        for (int i : t.pitches) {
            const BullpenPitch& p = a.bullpen.pitches[i];
            g.marks.push_back({p.horizontalCm / 100, p.verticalCm / 100});
        }
        groups.push_back(std::move(g));
    }
    return groups;
}

Ball1Panel ball1PanelOf(const Arsenal& a, const PitchType& t) {
    Ball1Panel p;
    p.SpeedTxt_0 = t.model.speed;
    p.Omega0Txt_0 = p.Omega1Txt_0 = t.model.spin;
    p.OrdinaryOpb_0 = true;
    p.thitaTxtBox_0 = t.model.axis;
    p.TargetOP_0 = true;
    p.TargetPTxt_0 = std::to_string(a.targetColumn);
    p.TargetPTxt_1 = std::to_string(a.targetRow);
    return p;
}

Ball2Panel ball2PanelOf(const PitchType& t) {
    Ball2Panel p;
    p.SpeedTxt_1 = t.model.speed;
    p.Omega0Txt_1 = p.Omega1Txt_1 = t.model.spin;
    p.OrdinaryOpb_1 = true;
    p.thitaTxtBox_1 = t.model.axis;
    return p;
}

}  // namespace ball
