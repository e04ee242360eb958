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

bool fitArsenal(Arsenal& a, const FitControl& control) {
    const int types = static_cast<int>(a.types.size());
    const int total = types + static_cast<int>(a.pairs.size());
    int done = 0;
    // A fit anew (another target) starts from nothing.
    for (PitchType& t : a.types) t.model = {}, t.modelBreak.reset();
    for (TypePair& p : a.pairs) p.figures = {}, p.best = false;
    // Each type as a fresh session's ボール１, in memory; each pair a copy of its first type's
    // session, thrown on with ボール２, exactly as the two buttons throw them.
    std::vector<std::optional<PitchSession>> aimed(a.types.size());
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
        try {
            t.model = fillFromMeasurement(m, 1, aimAt, Ball2Panel{}, noSavedDirection);
            if (!t.fitted()) return;
            PitchSession session(DataFiles::InMemory);
            NoViews none;
            const ClickOutcome out = session.runBall1(ball1PanelOf(a, t), none.views());
            if (!out.ok()) {
                t.model = {.error = out.message};
                return;
            }
            t.modelBreak = ballBreak(*session.shownBall1());
            aimed[i] = std::move(session);
        } catch (const RunError& e) {
            t.model = {.error = errorMessage(e)};
        } catch (const std::exception& e) {
            t.model = {.error = unexpectedErrorMessage(e.what())};
        }
    });
    if (!fitted) return false;
    const bool thrown = runAll(static_cast<int>(a.pairs.size()), control, done, total, [&](int k) {
        TypePair& p = a.pairs[k];
        if (!aimed[p.first] || !a.types[p.second].fitted()) return;
        try {
            PitchSession session = *aimed[p.first];
            NoViews none;
            // No figures for a pair whose Ball 2 cannot fly.
            if (!session.runBall2(ball2PanelOf(a.types[p.second]), none.views()).ok()) return;
            p.figures = pairFigures(*session.shownBall1(), *session.shownBall2());
        } catch (const std::exception&) {
            // Nor where anything else went wrong: the pair's row stays empty.
        }
    });
    if (!thrown) return false;
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
