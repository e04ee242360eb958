#include "ball_setup.h"

#include <cmath>
#include <limits>
#include <string>

#include "files/number_text.h"
#include "physics/constants.h"
#include "physics/numeric.h"
#include "physics/trajectory.h"

namespace ball {

namespace {

// The diameter as the pitch state holds it.
constexpr float kBallDiameter32 = static_cast<float>(kBallDiameter);
constexpr double kZoneBottom = 0.5;
constexpr double kZoneTop = 1.2;
constexpr double kMound = 0.254;
constexpr double kReleaseHeight = 1.5;
constexpr float kReleaseOffset = 0.0f;
constexpr double kSpanFactor = 1.2;

void storeConstants(PitchState& s) {
    s.rho = 1.205;
    s.dball = kBallDiameter32;
    s.mball = 0.1445;
    s.g = static_cast<float>(kGravity);
    s.dist = kDist;
    s.cl0 = 0.08;
    s.cl1 = 0.006;
}

// The text boxes of one panel, by control name and member index, as errors name them.
struct Boxes {
    std::string speed, omega0, omega1, thita, horizontal, side;
};

Boxes boxesOf(int index, int horizontal, int side) {
    const auto name = [](const char* control, int i) {
        return std::string(control) + '(' + std::to_string(i) + ')';
    };
    return {.speed = name("SpeedTxt", index),
            .omega0 = name("Omega0Txt", index),
            .omega1 = name("Omega1Txt", index),
            .thita = name("thitaTxtBox", index),
            .horizontal = name("Text2", horizontal),
            .side = name("Text2", side)};
}

// Runs a step that works on one box's value: an overflow there is that box's, so that the
// message can point at it.
template <class Step>
auto fromBox(const std::string& box, Step&& step) {
    try {
        return step();
    } catch (const RunError& e) {
        if (e.kind() != ErrorKind::Overflow || !e.box().empty() || !e.detail().empty()) throw;
        throw e.inBox(box);
    }
}

double parseBox(const std::string& text, const std::string& box) {
    return fromBox(box, [&] { return parseNumber(text); });
}

// Straight-line flight time; recomputed wherever it is used.
double flightTime(const PitchState& s) { return divide(s.dist, s.vrel0); }

// Speed in km/h to vrel0, dt and the step count.
void storeSpeed(PitchState& s, double kmh, const std::string& box) {
    // Below zero the step count is negative: no step would be flown and nothing said.
    if (kmh < 0) throw RunError(ErrorKind::NegativeSpeed).inBox(box);
    fromBox(box, [&] {
        s.vrel0 = finite(kmh * 1000 / 3600);
        const double t = flightTime(s);
        s.dt = kStep;
        try {
            s.nstep = toInt16(divide(kSpanFactor * t, s.dt));
        } catch (const RunError& e) {
            // Too many steps to count: the speed is too slow, not too large.
            if (e.kind() == ErrorKind::Overflow) throw e.asTooSlow();
            throw;
        }
    });
}

double degreesToRadians(const PitchState& s, double degrees) {
    return finite(double{s.pi} * degrees / 180);
}

// The release spin and its change per second (release entry minus catcher entry).
void storeSpin(PitchState& s, double release, double change, const std::string& box) {
    s.domega = fromBox(box, [&] { return divide(change, flightTime(s)); });
    s.omega = release;
    s.omega0 = s.omega;
}

// A gyro ball and its spin-axis angles, typed in degrees.
void storeGyroAxis(PitchState& s, const std::string& horizontal, const std::string& side,
                   const Boxes& boxes) {
    s.ikind = 0;
    s.gyroelev =
        fromBox(boxes.horizontal, [&] { return degreesToRadians(s, parseNumber(horizontal)); });
    s.gyroside =
        fromBox(boxes.side, [&] { return toSingle(degreesToRadians(s, parseNumber(side))); });
}

}  // namespace

double targetLateral(double column) {
    const double zoneWidth = 0.432 + 2 * double{kBallDiameter32};
    return 0.0 + (3 - column) * zoneWidth / 3;
}

double targetHeight(double row) {
    const double rowTerm = 3 - row;
    return 0.85 + ((kZoneBottom + kZoneTop) * (rowTerm * 0.5)) / 3;
}

OptionWrites SetBall1param(PitchState& s, SetupEntries& e, const Ball1Panel& panel,
                           const SavedDirection& saved) {
    OptionWrites writes;
    const Boxes boxes = boxesOf(0, 0, 2);
    const std::string columnBox = "TargetPTxt(0)";
    const std::string rowBox = "TargetPTxt(1)";
    storeConstants(s);
    e.speed1 = parseBox(panel.SpeedTxt_0, boxes.speed);
    e.omg1[0] = parseBox(panel.Omega0Txt_0, boxes.omega0);
    e.omg1[1] = parseBox(panel.Omega1Txt_0, boxes.omega1);

    storeSpeed(s, e.speed1, boxes.speed);
    storeSpin(s, e.omg1[0], e.omg1[0] - e.omg1[1], boxes.omega0);

    double theta = 0;
    writes.gyroOpb = !panel.OrdinaryOpb_0;
    if (panel.OrdinaryOpb_0) {
        s.ikind = 1;
        theta = parseBox(panel.thitaTxtBox_0, boxes.thita);
    } else {
        storeGyroAxis(s, panel.Text2_0, panel.Text2_2, boxes);
    }

    double column = 0;
    int16_t row = 0;
    if (panel.TargetOP_0) {
        column = parseBox(panel.TargetPTxt_0, columnBox);
        row = fromBox(rowBox, [&] { return toInt16(parseNumber(panel.TargetPTxt_1)); });
        writes.TargetOP_1 = false;
        s.noaim = 0;
    } else {
        s.noaim = 1;
    }

    s.pi = kPi;
    s.thita = fromBox(boxes.thita, [&] { return degreesToRadians(s, theta); });

    // Target point on the 5 x 5 grid as the catcher sees it: column 1 left, row 1 on top.
    s.xtgt = fromBox(columnBox, [&] { return finite(targetLateral(column)); });
    const double rowTerm = fromBox(rowBox, [&] { return subtract16(3, row); });
    // The row pitch is built from the sum of the zone's bottom and top, not its height; the
    // grid the user aims at has always been laid out this way, so it stays.
    s.ztgt = toSingle(targetHeight(3 - rowTerm));

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
    const double k = fromBox(
        boxes.speed, [&] { return finite(0.5 * s.rho * (s.vrel0 * s.vrel0) * area / s.mball); });
    const double dz = (double{s.ztgt} - kMound) - kReleaseHeight;
    const double t = flightTime(s);
    s.alpha = fromBox(boxes.omega0, [&] {
        return std::atan(finite(dz + 0.5 * (kGravity - k * cl * std::cos(s.thita)) * (t * t)) /
                         s.dist);
    });

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
    const Boxes boxes = boxesOf(1, 4, 3);
    storeConstants(s);
    e.speed2 = parseBox(panel.SpeedTxt_1, boxes.speed);
    // Ball 2 keeps its spin entries and axis angle in single precision.
    const auto single = [](const std::string& text, const std::string& box) {
        return fromBox(box, [&] { return toSingle(parseNumber(text)); });
    };
    e.omg2[0] = single(panel.Omega0Txt_1, boxes.omega0);
    e.omg2[1] = single(panel.Omega1Txt_1, boxes.omega1);

    storeSpeed(s, e.speed2, boxes.speed);
    const float change =
        fromBox(boxes.omega0, [&] { return toSingle(double{e.omg2[0]} - double{e.omg2[1]}); });
    storeSpin(s, e.omg2[0], change, boxes.omega0);

    double theta = 0;
    writes.gyroOpb = !panel.OrdinaryOpb_1;
    if (panel.OrdinaryOpb_1) {
        s.ikind = 1;
        e.thita2 = single(panel.thitaTxtBox_1, boxes.thita);
        theta = e.thita2;
    } else {
        storeGyroAxis(s, panel.Text2_4, panel.Text2_3, boxes);
    }
    s.thita = fromBox(boxes.thita, [&] { return degreesToRadians(s, theta); });

    saved(s);
    return writes;
}

}  // namespace ball
