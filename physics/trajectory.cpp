#include "trajectory.h"

#include <cmath>

#include "force_model.h"
#include "numeric.h"
#include "release.h"

namespace ball {

namespace {

TrajPoint toPoint(double x, double y, double z) {
    return {toSingle(x), toSingle(y), toSingle(z)};
}

// The buffer ends at point 300: a 301st point is an error, never a write past the end.
void storePoint(PitchState& s, double x, double y, double z) {
    if (s.ntraj >= kMaxTrajPoints) throw RunError(ErrorKind::SubscriptOutOfRange);
    const TrajPoint p = toPoint(x, y, z);
    ++s.ntraj;
    s.traj[s.ntraj] = p;
}

}  // namespace

// One pass; watch(before, s, t0) sees each step's state before it and the state after it, with
// the time the step began. A no-op watch costs nothing, so the pass is the same either way.
template <class Watch>
void integrate(PitchState& s, int16_t icount, Watch&& watch) {
    float t = 0;
    setinit(s, icount);

    s.ntraj = 1;
    s.traj[1] = toPoint(s.xrel0, s.yrel0, s.zrel0);

    // setinit has just evaluated these forces; the second call is kept, as it always was.
    forcecal(s, 0.0f);
    s.omega = s.omega0;

    const int last = s.nstep;
    for (int i = 2; i <= last; ++i) {
        const Motion before{s.x, s.y, s.z, s.vx, s.vy, s.vz};
        const float began = t;
        forcecal(s, t);
        const double vx0 = s.vx;
        const double vy0 = s.vy;
        const double vz0 = s.vz;

        s.vx = vx0 + 0.5 * (s.dt * s.ax);
        s.vy = vy0 + 0.5 * (s.dt * s.ay);
        s.vz = vz0 + 0.5 * (s.dt * s.az);

        const double xn = finite(s.x + s.dt * s.vx);
        const double yn = finite(s.y + s.dt * s.vy);
        const double zn = finite(s.z + s.dt * s.vz);

        const float tHalf = toSingle(double{t} + 0.5 * s.dt);
        forcecal(s, tHalf);

        const double vxn = finite(vx0 + s.dt * s.ax);
        const double vyn = finite(vy0 + s.dt * s.ay);
        const double vzn = finite(vz0 + s.dt * s.az);

        // The time runs one step ahead of the flight from here on; only the spin rate sees it,
        // and every stored result depends on it, so it stays.
        t = toSingle(double{static_cast<float>(i)} * s.dt);
        s.omega = finite(s.omega0 + double{t} * s.domega);

        s.x = xn;
        s.y = yn;
        s.z = zn;
        s.vx = vxn;
        s.vy = vyn;
        s.vz = vzn;
        if (watch(before, s, began)) break;

        if (s.y > s.dist) {
            storePoint(s, s.x, s.y, s.z);
            s.xfin = s.x;
            s.zfin = toSingle(s.z);
            break;
        }
        if (i % kStoreEvery == 0) storePoint(s, s.x, s.y, s.z);
    }
}

void integratePass(PitchState& s, int16_t icount) {
    integrate(s, icount, [](const Motion&, const PitchState&, float) { return false; });
}

std::vector<std::optional<Crossing>> crossingsAt(PitchState s, const std::vector<double>& planes) {
    std::vector<std::optional<Crossing>> found(planes.size());
    std::size_t next = 0;
    try {
        integrate(s, 1, [&](const Motion& a, const PitchState& b, float began) {
            for (; next < planes.size() && b.y >= planes[next]; ++next) {
                // Between two states 0.05 ms apart the flight is a straight line at this scale.
                const double f = (planes[next] - a.y) / (b.y - a.y);
                const auto at = [f](double from, double to) { return from + f * (to - from); };
                found[next] = Crossing{{at(a.x, b.x), planes[next], at(a.z, b.z), at(a.vx, b.vx),
                                        at(a.vy, b.vy), at(a.vz, b.vz)},
                                       double{began} + f * s.dt};
            }
            return next == planes.size();
        });
    } catch (const RunError&) {
        // A flight longer than the buffer: none found past it.
    }
    return found;
}

std::optional<Crossing> crossingAt(PitchState s, double plane) {
    return crossingsAt(std::move(s), {plane})[0];
}

AimResult GetBall1traj(PitchState& s) {
    int16_t icount = 0;
    double miss = 0;
    for (;;) {
        ++icount;
        integratePass(s, icount);

        const double dz = double{s.ztgt} - double{s.zfin};
        const double dx = s.xtgt - s.xfin;
        miss = std::sqrt(dz * dz + dx * dx);

        if (s.noaim == 1) break;
        if (!(icount <= kMaxPasses - 1 && miss > kAimTolerance)) break;
    }
    return {icount, miss <= kAimTolerance};
}

}  // namespace ball
