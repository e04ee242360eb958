#include "session_compare.h"

namespace ball {

namespace {

std::optional<double> change(const std::optional<double>& before,
                             const std::optional<double>& after, double scale = 1) {
    if (!before || !after) return std::nullopt;
    return (*after - *before) * scale;
}

int minutesPastTwelve(Clock c) { return c.hours % 12 * 60 + c.minutes; }

}  // namespace

std::vector<TypeChange> compareSessions(const Bullpen& before, const Bullpen& after,
                                        BatterSide side, const std::string& pitcher) {
    const Arsenal one = groupArsenal(before, side, pitcher);
    const Arsenal two = groupArsenal(after, side, pitcher);
    std::vector<TypeChange> changes;
    const auto find = [](const Arsenal& a, const PitchType& t) -> const PitchType* {
        for (const PitchType& u : a.types) {
            if (u.pitcher == t.pitcher && u.type == t.type) return &u;
        }
        return nullptr;
    };
    for (const PitchType& t : one.types) {
        const PitchType* later = find(two, t);
        TypeChange c{.pitcher = t.pitcher, .type = t.type, .countBefore = t.count()};
        if (later) {
            const PitchType& u = *later;
            c.countAfter = u.count();
            c.speedKmh = u.speedKmh - t.speedKmh;
            c.rpm = change(t.rpm, u.rpm);
            if (t.tilt && u.tilt) {
                // 11:50 to 12:10 is 20 minutes on, not 700 back.
                const int d = (minutesPastTwelve(*u.tilt) - minutesPastTwelve(*t.tilt) + 1080) % 720;
                c.tiltMinutes = d - 360;
            }
            c.verticalCm = u.verticalCm - t.verticalCm;
            c.horizontalCm = -(u.horizontalCm - t.horizontalCm);  // the pitcher's right +
            c.relHeightCm = change(t.relHeightM, u.relHeightM, 100);
            c.relSideCm = change(t.relSideM, u.relSideM, 100);
            c.extensionCm = change(t.extensionM, u.extensionM, 100);
            c.plateHeightCm = change(t.plateHeightM, u.plateHeightM, 100);
            c.plateSideCm = change(t.plateSideM, u.plateSideM, 100);
        }
        changes.push_back(std::move(c));
    }
    for (const PitchType& u : two.types) {
        if (!find(one, u)) {
            changes.push_back({.pitcher = u.pitcher, .type = u.type, .countAfter = u.count()});
        }
    }
    return changes;
}

}  // namespace ball
