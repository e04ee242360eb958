#include "arsenal_fit.h"

#include <algorithm>
#include <map>
#include <thread>

#include "files/initdir_file.h"
#include "files/number_text.h"
#include "session/messages.h"
#include "pitch_pairs.h"
#include "session/pitch_session.h"

namespace ball {

namespace {

void noSavedDirection(PitchState&) {
    throw RunError(ErrorKind::FileNotFound, kInitdirFile, FileRole::Initdir);
}

// The pictures of the clicks thrown here, which nobody looks at.
struct NoViews {
    NoCanvas side, top, catcher;
    Views views() { return {side, top, catcher}; }
};

// Runs job(0..n-1) on the threads the control allows; false when cancelled.
bool runAll(int n, const FitControl& control, int& done, int total,
            const std::function<void(int)>& job) {
    std::atomic<int> next{0}, finished{done};
    const auto cancelled = [&] { return control.cancel && control.cancel->load(); };
    const auto work = [&] {
        for (int i; !cancelled() && (i = next++) < n;) {
            job(i);
            const int d = ++finished;
            if (control.progress) control.progress(d, total);
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned count = std::min<unsigned>(control.threads ? control.threads : cores,
                                              static_cast<unsigned>(std::max(n, 1)));
    std::vector<std::jthread> threads;
    for (unsigned k = 1; k < count; ++k) threads.emplace_back(work);
    work();
    threads.clear();
    done = finished;
    return !cancelled();
}

}  // namespace

namespace {

// A release point and plate location where all five are measured.
std::optional<Delivery> deliveryFrom(std::optional<double> side, std::optional<double> height,
                                     std::optional<double> extension,
                                     std::optional<double> plateSide,
                                     std::optional<double> plateHeight) {
    if (!side || !height || !extension || !plateSide || !plateHeight) return std::nullopt;
    return Delivery{.releaseX = *side,
                    .releaseY = *extension,
                    .releaseZ = *height,
                    .plateX = -*plateSide,
                    .plateZ = *plateHeight};
}

// A Ball 1 thrown in a fresh session in memory, as thrown; none when the click fails.
std::optional<ThrownPitch> thrownBall1(const Ball1Panel& panel, double speedKmh,
                                       const std::optional<Delivery>& from, std::string* error) {
    PitchSession session(DataFiles::InMemory);
    NoViews none;
    const ClickOutcome out = session.runBall1(panel, none.views(), from);
    if (!out.ok()) {
        if (error) *error = out.message;
        return std::nullopt;
    }
    const std::vector<std::optional<Crossing>> at =
        crossingsAt(session.state(), {kDist - kDecisionBeforePlate, kDist});
    return ThrownPitch{*session.shownBall1(), speedKmh, at[0], at[1], session.state().alpha,
                       session.state().beta};
}

}  // namespace

std::optional<Delivery> deliveryOf(const PitchType& t) {
    return deliveryFrom(t.relSideM, t.relHeightM, t.extensionM, t.plateSideM, t.plateHeightM);
}

std::string deliveryGapNote(const PitchType& t, Language language) {
    const std::optional<double> five[] = {t.relHeightM, t.relSideM, t.extensionM, t.plateHeightM,
                                          t.plateSideM};
    const Said names[] = {Said::RelHeight, Said::RelSide, Said::Extension, Said::PlateHeight,
                          Said::PlateSide};
    std::string missing;
    for (int k = 0; k < 5; ++k) {
        if (five[k]) continue;
        if (!missing.empty()) missing += language == Language::English ? ", " : "、";
        missing += importText(names[k], language);
    }
    const bool none = missing.size() > 0 &&
                      std::none_of(std::begin(five), std::end(five), [](auto v) { return v; });
    return missing.empty() || none ? std::string()
                                   : importText(Said::ThrownAtTheCell, language, {.word = missing});
}

bool fitArsenal(Arsenal& a, const FitControl& control) {
    const int types = static_cast<int>(a.types.size());
    const bool consecutive = a.pairing == Pairing::Consecutive;
    const int pitches = static_cast<int>(a.bullpen.pitches.size());
    a.pairs = consecutive ? std::vector<TypePair>() : meanPairs(a);
    const int total = types + (consecutive ? pitches : static_cast<int>(a.pairs.size()));
    int done = 0;
    // A fit anew (another target or pairing) starts from nothing.
    for (PitchType& t : a.types) t.model = {}, t.modelBreak.reset(), t.thrown.reset();
    // Each type as a fresh session's ボール１, in memory, thrown as measured where the session
    // has its release point and plate location, else from the model's release point at the
    // target cell.
    const bool fitted = runAll(types, control, done, total, [&](int i) {
        PitchType& t = a.types[i];
        t.design = control.design ? designOf(t) : TypeDesign{};
        MeasuredPitch m;
        m.bySpin = false;
        m.speed = fixedText(t.speedKmh, 2);
        m.vertical = fixedText(t.verticalCm, 2);
        m.horizontal = fixedText(-t.horizontalCm, 2);  // the pitcher's right +
        Ball1Panel aimAt;
        aimAt.TargetPTxt_0 = std::to_string(a.targetColumn);
        aimAt.TargetPTxt_1 = std::to_string(a.targetRow);
        const std::optional<Delivery> from = deliveryOf(t);
        try {
            t.model = fillFromMeasurement(m, 1, aimAt, Ball2Panel{}, noSavedDirection, from);
            if (!t.fitted()) return;
            std::string error;
            t.thrown = thrownBall1(ball1PanelOf(a, t), t.speedKmh, from, &error);
            if (!t.thrown) {
                t.model = {.error = error};
                return;
            }
            t.modelBreak = ballBreak(t.thrown->set);
        } catch (const RunError& e) {
            t.model = {.error = errorMessage(e)};
        } catch (const std::exception& e) {
            t.model = {.error = unexpectedErrorMessage(e.what())};
        }
    });
    if (!fitted) return false;
    if (consecutive) {
        // Every pitch with its type's model, at its own speed, from its own release point to
        // its own location (or its type's, or the target cell).
        const std::vector<int> typeOf = typeOfPitches(a);
        std::vector<std::optional<ThrownPitch>> thrown(a.bullpen.pitches.size());
        const bool all = runAll(pitches, control, done, total, [&](int i) {
            if (typeOf[i] < 0) return;  // to batters of the other side
            const PitchType& t = a.types[typeOf[i]];
            const BullpenPitch& p = a.bullpen.pitches[i];
            if (!t.fitted()) return;
            Ball1Panel panel = ball1PanelOf(a, t);
            panel.SpeedTxt_0 = fixedText(p.speedKmh, 2);
            const std::optional<Delivery> own = deliveryFrom(p.relSideM, p.relHeightM,
                                                             p.extensionM, p.plateSideM,
                                                             p.plateHeightM);
            try {
                thrown[i] = thrownBall1(panel, p.speedKmh, own ? own : deliveryOf(t), nullptr);
            } catch (const std::exception&) {
                // A pitch that cannot fly is in no pair.
            }
        });
        if (!all) return false;
        a.pairs = consecutivePairs(a, thrown);
    } else {
        // Each pair as its two types were thrown.
        const bool compared =
            runAll(static_cast<int>(a.pairs.size()), control, done, total, [&](int k) {
                TypePair& p = a.pairs[k];
                const PitchType &one = a.types[p.first], &two = a.types[p.second];
                if (one.thrown && two.thrown) p.figures = tunnelFigures(*one.thrown, *two.thrown);
            });
        if (!compared) return false;
    }
    markBest(a);
    return true;
}

}  // namespace ball
