#include "arsenal_fit.h"

#include <algorithm>
#include <map>
#include <thread>

#include "files/initdir_file.h"
#include "files/number_text.h"
#include "session/messages.h"
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

std::optional<Delivery> deliveryOf(const PitchType& t) {
    if (!t.relSideM || !t.relHeightM || !t.extensionM || !t.plateSideM || !t.plateHeightM) {
        return std::nullopt;
    }
    return Delivery{.releaseX = *t.relSideM,
                    .releaseY = *t.extensionM,
                    .releaseZ = *t.relHeightM,
                    .plateX = -*t.plateSideM,
                    .plateZ = *t.plateHeightM};
}

bool fitArsenal(Arsenal& a, const FitControl& control) {
    const int types = static_cast<int>(a.types.size());
    const int total = types + static_cast<int>(a.pairs.size());
    int done = 0;
    // A fit anew (another target) starts from nothing.
    for (PitchType& t : a.types) t.model = {}, t.modelBreak.reset(), t.thrown.reset();
    for (TypePair& p : a.pairs) p.figures = {}, p.best = false;
    // Each type as a fresh session's ボール１, in memory, thrown as measured where the session
    // has its release point and plate location, else from the model's release point at the
    // target cell.
    const bool fitted = runAll(types, control, done, total, [&](int i) {
        PitchType& t = a.types[i];
        MeasuredPitch m;
        m.bySpin = false;
        m.speed = fixedText(t.speedKmh, 2);
        m.vertical = fixedText(t.verticalCm, 2);
        m.horizontal = fixedText(t.horizontalCm, 2);
        Ball1Panel aimAt;
        aimAt.TargetPTxt_0 = std::to_string(a.targetColumn);
        aimAt.TargetPTxt_1 = std::to_string(a.targetRow);
        const std::optional<Delivery> from = deliveryOf(t);
        try {
            t.model = fillFromMeasurement(m, 1, aimAt, Ball2Panel{}, noSavedDirection, from);
            if (!t.fitted()) return;
            PitchSession session(DataFiles::InMemory);
            NoViews none;
            const ClickOutcome out = session.runBall1(ball1PanelOf(a, t), none.views(), from);
            if (!out.ok()) {
                t.model = {.error = out.message};
                return;
            }
            t.modelBreak = ballBreak(*session.shownBall1());
            const PitchState& s = session.state();
            t.thrown = ThrownPitch{*session.shownBall1(), t.speedKmh,
                                   crossingAt(s, kDist - kDecisionBeforePlate),
                                   crossingAt(s, kDist)};
            t.modelAlpha = s.alpha, t.modelBeta = s.beta;
        } catch (const RunError& e) {
            t.model = {.error = errorMessage(e)};
        } catch (const std::exception& e) {
            t.model = {.error = unexpectedErrorMessage(e.what())};
        }
    });
    if (!fitted) return false;
    // Each pair as its two types were thrown.
    const bool compared = runAll(static_cast<int>(a.pairs.size()), control, done, total, [&](int k) {
        TypePair& p = a.pairs[k];
        const PitchType &one = a.types[p.first], &two = a.types[p.second];
        if (one.thrown && two.thrown) p.figures = tunnelFigures(*one.thrown, *two.thrown);
    });
    if (!compared) return false;
    std::map<std::string, TypePair*> best;
    for (TypePair& p : a.pairs) {
        if (!p.figures.ratio) continue;
        TypePair*& b = best[a.types[p.first].pitcher];
        if (!b || *p.figures.ratio > *b->figures.ratio) b = &p;
    }
    for (auto& [pitcher, p] : best) p->best = true;
    return true;
}

}  // namespace ball
