#include "arsenal.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <thread>

#include "display/display_set.h"
#include "files/initdir_file.h"
#include "files/number_text.h"
#include "physics/trajectory.h"
#include "session/messages.h"
#include "session/pitch_session.h"
#include "setup/ball_setup.h"

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

double mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / static_cast<double>(v.size());
}

double sampleSd(const std::vector<double>& v) {
    if (v.size() < 2) return 0;
    const double m = mean(v);
    double sum = 0;
    for (double x : v) sum += (x - m) * (x - m);
    return std::sqrt(sum / static_cast<double>(v.size() - 1));
}

// The mean direction of clock readings in minutes past 12:00; none when they cancel out.
std::optional<Clock> circularMean(const std::vector<double>& minutes) {
    if (minutes.empty()) return std::nullopt;
    double c = 0, s = 0;
    for (double m : minutes) {
        const double a = m / 720 * 2 * std::numbers::pi;
        c += std::cos(a), s += std::sin(a);
    }
    if (std::hypot(c, s) < 1e-9 * static_cast<double>(minutes.size())) return std::nullopt;
    // Half a degree a minute, as the clock of a direction.
    return axisAngleToClock(std::atan2(s, c) * 180 / std::numbers::pi);
}

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

// A figure of the CSV: an empty field where there is none.
std::string optionalFixed(std::optional<double> v, int decimals, double scale = 1) {
    return figureText(v, decimals, scale, "");
}

// A model's break in cm to 2 decimals, up or to the catcher's right; empty without one.
std::string modelBreakText(const PitchType& t, double Break::*part) {
    if (!t.modelBreak) return {};
    return optionalFixed((*t.modelBreak).*part, 2, 100);
}

}  // namespace

Arsenal groupArsenal(Bullpen bullpen) {
    Arsenal a;
    a.bullpen = std::move(bullpen);
    std::vector<std::string> pitchers;
    std::map<std::pair<std::string, std::string>, int> index;
    for (int i = 0; i < static_cast<int>(a.bullpen.pitches.size()); ++i) {
        const BullpenPitch& p = a.bullpen.pitches[i];
        if (std::find(pitchers.begin(), pitchers.end(), p.pitcher) == pitchers.end()) {
            pitchers.push_back(p.pitcher);
        }
        const auto [at, added] =
            index.try_emplace({p.pitcher, p.type}, static_cast<int>(a.types.size()));
        if (added) {
            PitchType t;
            t.pitcher = p.pitcher, t.hand = p.hand, t.type = p.type;
            a.types.push_back(std::move(t));
        }
        a.types[at->second].pitches.push_back(i);
    }
    for (PitchType& t : a.types) {
        std::vector<double> speed, vertical, horizontal, tilt;
        std::vector<double> rpm, efficiency, height, side, extension;  // where measured
        const auto add = [](std::vector<double>& to, const std::optional<double>& v) {
            if (v) to.push_back(*v);
        };
        for (int i : t.pitches) {
            const BullpenPitch& p = a.bullpen.pitches[i];
            speed.push_back(p.speedKmh);
            vertical.push_back(p.verticalCm);
            horizontal.push_back(p.horizontalCm);
            add(tilt, p.tiltMinutes);
            add(rpm, p.rpm), add(efficiency, p.efficiency);
            add(height, p.relHeightM), add(side, p.relSideM), add(extension, p.extensionM);
        }
        t.speedKmh = mean(speed), t.speedSd = sampleSd(speed);
        t.verticalCm = mean(vertical), t.verticalSd = sampleSd(vertical);
        t.horizontalCm = mean(horizontal), t.horizontalSd = sampleSd(horizontal);
        t.tilt = circularMean(tilt);
        const auto meanOf = [](const std::vector<double>& v) {
            return v.empty() ? std::nullopt : std::optional(mean(v));
        };
        t.rpm = meanOf(rpm), t.efficiency = meanOf(efficiency);
        t.relHeightM = meanOf(height), t.relSideM = meanOf(side), t.extensionM = meanOf(extension);
    }
    // Each pitcher's types together, the most thrown first.
    const auto rank = [&](const PitchType& t) {
        return std::find(pitchers.begin(), pitchers.end(), t.pitcher) - pitchers.begin();
    };
    std::stable_sort(a.types.begin(), a.types.end(), [&](const PitchType& x, const PitchType& y) {
        return rank(x) != rank(y) ? rank(x) < rank(y) : x.count() > y.count();
    });
    for (int i = 0; i < static_cast<int>(a.types.size()); ++i) {
        for (int j = i + 1; j < static_cast<int>(a.types.size()); ++j) {
            if (a.types[i].pitcher == a.types[j].pitcher) a.pairs.push_back({i, j});
        }
    }
    return a;
}

std::optional<TypeExcess> typeExcess(const Arsenal& a) {
    if (static_cast<int>(a.types.size()) > kMaxTypes) {
        return TypeExcess{"", static_cast<int>(a.types.size()), kMaxTypes};
    }
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

PairTexts pairTexts(const PairFigures& f) {
    PairTexts t;
    t.decisionCm = optionalFixed(f.decisionGap, 2, 100);
    t.plateCm = optionalFixed(f.plateGap, 2, 100);
    t.ratio = optionalFixed(f.ratio, 3);
    t.arrivalMs = optionalFixed(f.arrivalGap, 1, 1000);
    return t;
}

std::string arsenalCsv(const Arsenal& a) {
    std::string out =
        "pitcher,hand,type,count,speed_kmh,spin_rpm,tilt,ivb_cm,hb_cm,model_speed_kmh,"
        "model_spin_rps,model_axis_deg,model_ivb_cm,model_hb_cm\n";
    for (const PitchType& t : a.types) {
        const bool fitted = t.fitted();
        out += csvField(t.pitcher) + ',' + csvField(t.hand) + ',' + csvField(t.type) + ',' +
               std::to_string(t.count()) + ',' + optionalFixed(t.speedKmh, 2) + ',' +
               optionalFixed(t.rpm, 0) + ',' + (t.tilt ? clockText(*t.tilt) : "") + ',' +
               optionalFixed(t.verticalCm, 2) + ',' + optionalFixed(t.horizontalCm, 2) + ',' +
               (fitted ? t.model.speed : "") + ',' + (fitted ? t.model.spin : "") + ',' +
               (fitted ? t.model.axis : "") + ',' + modelBreakText(t, &Break::vertical) + ',' +
               modelBreakText(t, &Break::horizontal) + '\n';
    }
    return out;
}

std::string pairsCsv(const Arsenal& a) {
    std::string out = "pitcher,type1,type2,decision_gap_cm,plate_gap_cm,ratio,arrival_gap_ms\n";
    for (const TypePair& p : a.pairs) {
        const PitchType& one = a.types[p.first];
        const PairTexts t = pairTexts(p.figures);
        out += csvField(one.pitcher) + ',' + csvField(one.type) + ',' +
               csvField(a.types[p.second].type) + ',' + t.decisionCm + ',' + t.plateCm + ',' +
               t.ratio + ',' + t.arrivalMs + '\n';
    }
    return out;
}

}  // namespace ball
