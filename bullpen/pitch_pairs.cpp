#include "pitch_pairs.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

namespace ball {

namespace {

// The median and the interquartile range of the values present; none without any.
struct Spread {
    std::optional<double> median, range;
};
Spread spreadOf(std::vector<double> v) {
    if (v.empty()) return {};
    std::sort(v.begin(), v.end());
    const auto quantile = [&](double q) {
        const double at = q * static_cast<double>(v.size() - 1);
        const auto low = static_cast<std::size_t>(at);
        const std::size_t high = std::min(low + 1, v.size() - 1);
        return v[low] + (at - static_cast<double>(low)) * (v[high] - v[low]);
    };
    return {quantile(0.5), quantile(0.75) - quantile(0.25)};
}

// The medians and spreads of the figures of several pairs of pitches.
void summarize(TypePair& pair, const std::vector<TunnelFigures>& all) {
    using Field = std::optional<double> TunnelFigures::*;
    for (Field f : {&TunnelFigures::releaseGap, &TunnelFigures::tunnelGap,
                    &TunnelFigures::plateGap, &TunnelFigures::postTunnelBreak,
                    &TunnelFigures::ratio, &TunnelFigures::arrivalGap}) {
        std::vector<double> values;
        for (const TunnelFigures& t : all) {
            if (t.*f) values.push_back(*(t.*f));
        }
        const Spread s = spreadOf(values);
        pair.figures.*f = s.median, pair.spread.*f = s.range;
    }
    std::vector<double> speed;
    for (const TunnelFigures& t : all) speed.push_back(t.speedGap);
    pair.figures.speedGap = spreadOf(speed).median.value_or(0);
    // A side bounces when most of its pitches do, at the median distance of those that do.
    for (int k = 0; k < 2; ++k) {
        std::vector<double> bounces;
        for (const TunnelFigures& t : all) {
            if (t.bounce[k]) bounces.push_back(*t.bounce[k]);
        }
        if (2 * bounces.size() > all.size()) pair.figures.bounce[k] = spreadOf(bounces).median;
    }
}

}  // namespace

std::vector<TypePair> consecutivePairs(const Arsenal& a,
                                       const std::vector<std::optional<ThrownPitch>>& thrown) {
    const std::vector<BullpenPitch>& pitches = a.bullpen.pitches;
    const std::vector<int> typeOf = typeOfPitches(a);
    // Each pitcher's plate appearances, their pitches in the order thrown: the file's, or
    // their numbers where it gives them (Statcast lists the latest first).
    using Appearance = std::tuple<std::string, std::string, std::string, std::string, std::string>;
    std::map<Appearance, std::vector<int>> appearances;
    for (int i = 0; i < static_cast<int>(pitches.size()); ++i) {
        const BullpenPitch& p = pitches[i];
        appearances[{p.pitcher, p.game, p.inning, p.plateAppearance, p.batter}].push_back(i);
    }
    std::map<std::pair<int, int>, std::vector<TunnelFigures>> byTypes;
    for (auto& [key, order] : appearances) {
        if (std::all_of(order.begin(), order.end(), [&](int i) { return pitches[i].pitchNumber; })) {
            std::stable_sort(order.begin(), order.end(), [&](int i, int j) {
                return *pitches[i].pitchNumber < *pitches[j].pitchNumber;
            });
        }
        for (std::size_t k = 1; k < order.size(); ++k) {
            const int i = order[k - 1], j = order[k];
            if (typeOf[i] < 0 || typeOf[j] < 0 || typeOf[i] == typeOf[j]) continue;
            if (!thrown[i] || !thrown[j]) continue;
            byTypes[{typeOf[i], typeOf[j]}].push_back(tunnelFigures(*thrown[i], *thrown[j]));
        }
    }
    std::vector<TypePair> pairs;
    for (const auto& [types, all] : byTypes) {
        TypePair p{.first = types.first, .second = types.second,
                   .count = static_cast<int>(all.size())};
        summarize(p, all);
        pairs.push_back(std::move(p));
    }
    return pairs;
}

void markBest(Arsenal& a) {
    std::map<std::string, TypePair*> best;
    for (TypePair& p : a.pairs) {
        p.best = false;
        if (!p.figures.ratio) continue;
        if (a.pairing == Pairing::Consecutive && p.count < kLeastConsecutive) continue;
        TypePair*& b = best[a.types[p.first].pitcher];
        if (!b || *p.figures.ratio > *b->figures.ratio) b = &p;
    }
    for (auto& [pitcher, p] : best) p->best = true;
}

}  // namespace ball
