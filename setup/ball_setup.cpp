#include "ball_setup.h"

#include <cmath>
#include <limits>

#include "files/number_text.h"
#include "physics/constants.h"
#include "physics/numeric.h"
#include "physics/trajectory.h"

namespace ball {

namespace {

constexpr double kZoneBottom = 0.5;
constexpr double kZoneTop = 1.2;
constexpr double kMound = 0.254;
constexpr double kReleaseHeight = 1.5;
constexpr float kReleaseOffset = 0.0f;
constexpr double kSpanFactor = 1.2;

void storeConstants(PitchState& s) {
    s.rho = 1.205;
    s.dball = 0.0715f;
    s.mball = 0.1445;
    s.g = static_cast<float>(kGravity);
    s.dist = kDist;
    s.cl0 = 0.08;
    s.cl1 = 0.006;
}

// Straight-line flight time; recomputed wherever it is used.
double flightTime(const PitchState& s) { return divide(s.dist, s.vrel0); }

// Speed in km/h to vrel0, dt and the step count.
void storeSpeed(PitchState& s, double kmh) {
    s.vrel0 = finite(kmh * 1000 / 3600);
    const double t = flightTime(s);
    s.dt = kStep;
    s.nstep = toInt16(divide(kSpanFactor * t, s.dt));
}

double degreesToRadians(const PitchState& s, double degrees) {
    return finite(double{s.pi} * degrees / 180);
}

// The release spin and its change per second (release entry minus catcher entry).
void storeSpin(PitchState& s, double release, double change) {
    s.domega = divide(change, flightTime(s));
    s.omega = release;
    s.omega0 = s.omega;
}

// A gyro ball and its spin-axis angles, typed in degrees.
void storeGyroAxis(PitchState& s, const std::string& horizontal, const std::string& side) {
    s.ikind = 0;
    s.gyroelev = degreesToRadians(s, parseNumber(horizontal));
    s.gyroside = toSingle(degreesToRadians(s, parseNumber(side)));
}

}  // namespace

OptionWrites SetBall1param(PitchState& s, SetupEntries& e, const Ball1Panel& panel,
                           const SavedDirection& saved) {
    OptionWrites writes;
    storeConstants(s);
    e.speed1 = parseNumber(panel.SpeedTxt_0);
    e.omg1[0] = parseNumber(panel.Omega0Txt_0);
    e.omg1[1] = parseNumber(panel.Omega1Txt_0);

    storeSpeed(s, e.speed1);
    storeSpin(s, e.omg1[0], e.omg1[0] - e.omg1[1]);

    double theta = 0;
    writes.gyroOpb = !panel.OrdinaryOpb_0;
    if (panel.OrdinaryOpb_0) {
        s.ikind = 1;
        theta = parseNumber(panel.thitaTxtBox_0);
    } else {
        storeGyroAxis(s, panel.Text2_0, panel.Text2_2);
    }

    double column = 0;
    int16_t row = 0;
    if (panel.TargetOP_0) {
        column = parseNumber(panel.TargetPTxt_0);
        row = toInt16(parseNumber(panel.TargetPTxt_1));
        writes.TargetOP_1 = false;
        s.noaim = 0;
    } else {
        s.noaim = 1;
    }

    s.pi = kPi;
    s.thita = degreesToRadians(s, theta);

    // Target point on the 5 x 5 grid as the catcher sees it: column 1 left, row 1 on top.
    const double zoneWidth = 0.432 + 2 * double{s.dball};
    s.xtgt = finite(0.0 + (3 - column) * zoneWidth / 3);
    const double rowTerm = subtract16(3, row);
    // The row pitch is built from the sum of the zone's bottom and top, not its height; the
    // grid the user aims at has always been laid out this way, so it stays.
    s.ztgt = toSingle(0.85 + ((kZoneBottom + kZoneTop) * (rowTerm * 0.5)) / 3);

    s.xrel0 = kReleaseOffset;
    s.yrel0 = 0.0;
    s.zrel0 = kReleaseHeight + kMound;

    // First guess: aim at the target, above it by the drop of gravity less the spin lift.
    const double dx = s.xtgt - kReleaseOffset;
    // Over the hypotenuse rather than the distance: only a first guess, which aiming corrects,
    // and the saved directions depend on it, so it stays.
    s.beta = std::atan(dx / std::sqrt(finite(s.dist * s.dist + dx * dx)));
    const double cl = s.cl0 + s.cl1 * s.omega;
    const double r = double{s.dball} * 0.5;
    const double area = (r * r) * double{s.pi};
    const double k = finite(0.5 * s.rho * (s.vrel0 * s.vrel0) * area / s.mball);
    const double dz = (double{s.ztgt} - kMound) - kReleaseHeight;
    const double t = flightTime(s);
    s.alpha =
        std::atan(finite(dz + 0.5 * (kGravity - k * cl * std::cos(s.thita)) * (t * t)) / s.dist);

    if (s.noaim == 1) saved(s);
    return writes;
}

double slowestCountableSpeed() {
    // nstep = kSpanFactor * kDist / (v * kStep) must round to at most the int16 maximum; half
    // above it rounds to the even number beyond.
    constexpr double kMostSteps = std::numeric_limits<int16_t>::max() + 0.5;
    const double slowest = kSpanFactor * kDist * 3.6 / (kStep * kMostSteps);
    return std::ceil(slowest * 10) / 10;
}

namespace {

// Whether an aimed pitch at the panel defaults fits the buffer depends on its flight, so fly
// it; the point count only grows as the ball slows. Whole km/h are enough advice.
double findSlowestStorableSpeed() {
    const auto fits = [](int kmh) {
        PitchState s;
        SetupEntries e;
        Ball1Panel panel;
        panel.SpeedTxt_0 = std::to_string(kmh);
        SetBall1param(s, e, panel, [](PitchState&) {});  // aimed: nothing saved is read
        try {
            GetBall1traj(s);
        } catch (const RunError& err) {
            if (err.kind() == ErrorKind::SubscriptOutOfRange) return false;
            throw;
        }
        return true;
    };
    int low = static_cast<int>(std::floor(slowestCountableSpeed()));  // too slow
    int high = 200;                                                   // fits
    while (high - low > 1) {
        const int mid = (low + high) / 2;
        (fits(mid) ? high : low) = mid;
    }
    return high;
}

}  // namespace

double slowestStorableSpeed() {
    // A figure of the model alone: the same for the life of the process.
    static const double speed = findSlowestStorableSpeed();
    return speed;
}

OptionWrites SetBall2param(PitchState& s, SetupEntries& e, const Ball2Panel& panel,
                           const SavedDirection& saved) {
    OptionWrites writes;
    storeConstants(s);
    e.speed2 = parseNumber(panel.SpeedTxt_1);
    // Ball 2 keeps its spin entries and axis angle in single precision.
    e.omg2[0] = toSingle(parseNumber(panel.Omega0Txt_1));
    e.omg2[1] = toSingle(parseNumber(panel.Omega1Txt_1));

    storeSpeed(s, e.speed2);
    storeSpin(s, e.omg2[0], toSingle(double{e.omg2[0]} - double{e.omg2[1]}));

    double theta = 0;
    writes.gyroOpb = !panel.OrdinaryOpb_1;
    if (panel.OrdinaryOpb_1) {
        s.ikind = 1;
        e.thita2 = toSingle(parseNumber(panel.thitaTxtBox_1));
        theta = e.thita2;
    } else {
        storeGyroAxis(s, panel.Text2_4, panel.Text2_3);
    }
    s.thita = degreesToRadians(s, theta);

    saved(s);
    return writes;
}

}  // namespace ball
