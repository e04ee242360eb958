#include "arsenal.h"

#include <algorithm>
#include <map>

#include "type_tally.h"

namespace ball {

bool namesSide(const std::string& s, BatterSide side) {
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

bool facing(const BullpenPitch& p, BatterSide side) { return namesSide(p.batterSide, side); }

PitcherTypes pitcherTypes(const Arsenal& a, int type) {
    PitcherTypes out;
    out.arsenal.targetColumn = a.targetColumn, out.arsenal.targetRow = a.targetRow;
    for (int i = 0; i < static_cast<int>(a.types.size()); ++i) {
        if (a.types[i].pitcher != a.types[type].pitcher) continue;
        if (i == type) out.type = static_cast<int>(out.arsenal.types.size());
        out.arsenal.types.push_back(a.types[i]);
    }
    return out;
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
    ArsenalTally tally(false);
    for (int i = 0; i < static_cast<int>(bullpen.pitches.size()); ++i) {
        const BullpenPitch& p = bullpen.pitches[i];
        if (facing(p, side) && (pitcher.empty() || p.pitcher == pitcher)) tally.add(p, i);
    }
    return tally.arsenal(std::move(bullpen), side, pitcher);
}

std::vector<int> typeOfPitches(const Arsenal& a) {
    std::vector<int> typeOf(a.bullpen.pitches.size(), -1);
    for (int t = 0; t < static_cast<int>(a.types.size()); ++t) {
        for (int i : a.types[t].pitches) typeOf[i] = t;
    }
    return typeOf;
}

int fastballRank(const std::string& type) {
    const std::string t = asciiLower(type);
    const auto has = [&](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(),
                           [&](const char* n) { return t.find(n) != std::string::npos; });
    };
    if (has({"sinker", "two-seam", "twoseam", "2-seam", "ツーシーム", "シンカー"}) || t == "si") {
        return 2;
    }
    if (has({"cut", "カット"}) || t == "fc") return 1;
    if (has({"fastball", "four-seam", "fourseam", "4-seam", "直球", "ストレート", "フォーシーム"}) ||
        t == "ff") {
        return 3;
    }
    return 0;
}

std::vector<TypePair> meanPairs(const Arsenal& a) {
    const int n = static_cast<int>(a.types.size());
    // Each pitcher's fastball, Ball 1 of each pair it is in: his likeliest by name, the more
    // thrown of two alike.
    std::map<std::string, int> fastball;
    for (int i = 0; i < n; ++i) {
        const PitchType& t = a.types[i];
        const auto [at, added] = fastball.try_emplace(t.pitcher, i);
        if (fastballRank(t.type) > fastballRank(a.types[at->second].type)) at->second = i;
    }
    std::vector<TypePair> pairs;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const PitchType &one = a.types[i], &two = a.types[j];
            if (one.pitcher != two.pitcher) continue;
            const bool swap = fastballRank(two.type) > 0 && fastball[two.pitcher] == j;
            pairs.push_back({swap ? j : i, swap ? i : j, one.count() + two.count()});
        }
    }
    return pairs;
}

std::optional<TypeExcess> typeExcess(const Arsenal& a) {
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
