#include "type_tally.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ball {

void FigureSums::add(double x) {
    sum += x;
    const double delta = x - running;
    running += delta / static_cast<double>(++n);
    m2 += delta * (x - running);
}

double FigureSums::sampleSd() const {
    return n < 2 ? 0 : std::sqrt(m2 / static_cast<double>(n - 1));
}

bool ArsenalTally::add(const BullpenPitch& p, int index) {
    const auto who =
        pitchers_.try_emplace(p.pitcher, static_cast<int>(pitchers_.size()), 0).first;
    const auto found = index_.find({p.pitcher, p.type});
    int at = found == index_.end() ? -1 : found->second;
    if (at < 0) {
        if (capped_ && who->second.second == kMaxTypesPerPitcher) {
            excess_ = TypeExcess{p.pitcher, kMaxTypesPerPitcher + 1, kMaxTypesPerPitcher, p.line};
            return false;
        }
        ++who->second.second;
        at = static_cast<int>(types_.size());
        index_.emplace(std::pair(p.pitcher, p.type), at);
        Sums s;
        s.pitcher = p.pitcher, s.hand = p.hand, s.type = p.type;
        types_.push_back(std::move(s));
    }
    Sums& s = types_[at];
    if (index >= 0) s.pitches.push_back(index);
    ++s.count;
    s.speed.add(p.speedKmh), s.vertical.add(p.verticalCm), s.horizontal.add(p.horizontalCm);
    s.rpm.add(p.rpm), s.efficiency.add(p.efficiency);
    s.relHeight.add(p.relHeightM), s.relSide.add(p.relSideM), s.extension.add(p.extensionM);
    s.plateHeight.add(p.plateHeightM), s.plateSide.add(p.plateSideM);
    if (p.tiltMinutes) {
        const double a = *p.tiltMinutes / 720 * 2 * std::numbers::pi;
        s.tiltCos += std::cos(a), s.tiltSin += std::sin(a), ++s.tilts;
    }
    return true;
}

Arsenal ArsenalTally::arsenal(Bullpen kept, BatterSide side, const std::string& pitcher) const {
    Arsenal a;
    a.bullpen = std::move(kept);
    a.batterSide = side;
    a.pitcher = pitcher;
    // Each pitcher's types together, the most thrown first: the order sorted, not the types,
    // each of which holds a whole flight.
    std::vector<int> order(types_.size());
    for (int i = 0; i < static_cast<int>(order.size()); ++i) order[i] = i;
    const auto rank = [&](int i) { return pitchers_.at(types_[i].pitcher).first; };
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        return rank(x) != rank(y) ? rank(x) < rank(y) : types_[x].count > types_[y].count;
    });
    a.types.reserve(types_.size());
    for (int i : order) {
        const Sums& s = types_[i];
        PitchType& t = a.types.emplace_back();
        t.pitcher = s.pitcher, t.hand = s.hand, t.type = s.type;
        t.pitches = s.pitches;
        t.counted = s.count;
        t.speedKmh = s.speed.mean(), t.speedSd = s.speed.sampleSd();
        t.verticalCm = s.vertical.mean(), t.verticalSd = s.vertical.sampleSd();
        t.horizontalCm = s.horizontal.mean(), t.horizontalSd = s.horizontal.sampleSd();
        // The mean direction of the clock readings, half a degree a minute; none when they
        // cancel out.
        if (s.tilts > 0 && std::hypot(s.tiltCos, s.tiltSin) >= 1e-9 * static_cast<double>(s.tilts)) {
            t.tilt = axisAngleToClock(std::atan2(s.tiltSin, s.tiltCos) * 180 / std::numbers::pi);
        }
        t.rpm = s.rpm.meanIfAny(), t.efficiency = s.efficiency.meanIfAny();
        t.relHeightM = s.relHeight.meanIfAny(), t.relSideM = s.relSide.meanIfAny();
        t.extensionM = s.extension.meanIfAny();
        t.plateHeightM = s.plateHeight.meanIfAny(), t.plateSideM = s.plateSide.meanIfAny();
    }
    a.pairs = meanPairs(a);
    return a;
}

}  // namespace ball
