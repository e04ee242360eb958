// Speed of the physics: one force evaluation, one pass, whole aimed runs; and of a measured
// pitch: a drawn ball's break and tilt, and the spin fitted to a break.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "bullpen/arsenal_fit.h"
#include "display/display_set.h"
#include "display/pitch_figures.h"
#include "physics/force_model.h"
#include "physics/real_flight.h"
#include "physics/trajectory.h"
#include "session/measured_pitch.h"
#include "setup/ball_setup.h"

// Counts heap allocations, to show that a pass makes none.
static std::atomic<long> gAllocations{0};

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace ball;

PitchState ball1State(const char* kmh) {
    PitchState s;
    SetupEntries e;
    Ball1Panel panel;
    panel.SpeedTxt_0 = kmh;
    SetBall1param(s, e, panel, [](PitchState&) {});  // aimed: nothing saved is read
    return s;
}

void BM_forcecal(benchmark::State& st) {
    PitchState s = ball1State("125");
    integratePass(s, 1);  // leaves a realistic velocity at the catcher
    float t = 0.25f;
    for (auto _ : st) {
        forcecal(s, t);
        benchmark::DoNotOptimize(s.ay);
    }
}
BENCHMARK(BM_forcecal);

void BM_DefaultPass(benchmark::State& st) {
    PitchState base = ball1State("125");
    base.noaim = 1;
    long allocations = 0;
    for (auto _ : st) {
        PitchState s = base;
        const long before = gAllocations;
        integratePass(s, 1);
        allocations += gAllocations - before;
        benchmark::DoNotOptimize(s.ntraj);
    }
    st.counters["allocs/pass"] = benchmark::Counter(static_cast<double>(allocations) /
                                                    static_cast<double>(st.iterations()));
}
BENCHMARK(BM_DefaultPass)->Unit(benchmark::kMicrosecond);

// The realistic model's flight of a 125 km/h pitch over its 54 ft, the spun and the plain
// throw its break needs; check_budgets.sh compares it with a pass per metre flown.
void BM_RealFlight(benchmark::State& st) {
    const RealPitch p{.speedMs = 125 / 3.6, .rpm = 2000, .efficiencyPct = 90, .tiltDeg = 30};
    long allocations = 0;
    for (auto _ : st) {
        const long before = gAllocations;
        benchmark::DoNotOptimize(flyReal(p));
        allocations += gAllocations - before;
    }
    st.counters["allocs/flight"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(st.iterations()));
}
BENCHMARK(BM_RealFlight)->Unit(benchmark::kMicrosecond);

// The aiming alone; saving its direction is the run's, and is timed with the click.
void aimedRun(benchmark::State& st, const char* kmh) {
    const PitchState base = ball1State(kmh);
    int passes = 0;
    for (auto _ : st) {
        PitchState s = base;
        passes = GetBall1traj(s).passes;
        benchmark::DoNotOptimize(s.ntraj);
    }
    st.counters["passes"] = passes;
    st.counters["nstep"] = base.nstep;
}

void BM_AimedDefaultRun(benchmark::State& st) { aimedRun(st, "125"); }
BENCHMARK(BM_AimedDefaultRun)->Unit(benchmark::kMillisecond);

void BM_SlowestAimedRun(benchmark::State& st) { aimedRun(st, "54"); }
BENCHMARK(BM_SlowestAimedRun)->Unit(benchmark::kMillisecond);

void BM_BreakAndTilt(benchmark::State& st) {
    PitchState s = ball1State("125");
    GetBall1traj(s);
    DisplaySet set;
    fillFromTraj(set, s);
    for (auto _ : st) {
        const std::optional<Break> b = ballBreak(set);
        benchmark::DoNotOptimize(breakClock(*b));
    }
}
BENCHMARK(BM_BreakAndTilt)->Unit(benchmark::kMicrosecond);

// The spin for a measured break: the default pitch's; the slowest legal pitch with the largest
// break the dialog takes, whose aimed throw falls short of the quick one, so the search goes on
// above; and a break no spin reaches (the slow top spin never arrives), so every stretch is tried.
void fit(benchmark::State& st, const char* kmh, const char* vertical) {
    const MeasuredPitch m{.speed = kmh, .bySpin = false, .vertical = vertical, .horizontal = "0"};
    for (auto _ : st) {
        const PanelFill fill = fillFromMeasurement(m, 1, Ball1Panel{}, Ball2Panel{},
                                                   [](PitchState&) {});
        benchmark::DoNotOptimize(fill.spin);
    }
}

void BM_FitDefaultBreak(benchmark::State& st) { fit(st, "125", "74.2"); }
BENCHMARK(BM_FitDefaultBreak)->Unit(benchmark::kMillisecond);

void BM_FitSlowestLargestBreak(benchmark::State& st) { fit(st, "54", "150"); }
BENCHMARK(BM_FitSlowestLargestBreak)->Unit(benchmark::kMillisecond);

void BM_FitUnreachableBreak(benchmark::State& st) { fit(st, "54", "-150"); }
BENCHMARK(BM_FitUnreachableBreak)->Unit(benchmark::kMillisecond);

// A 300-pitch game of 6 types, each pitch with its release point and location, paired as
// consecutive pitches to one batter: every pitch thrown from its own release point to its own
// location, on both cores. The time per pitch is the whole over 300.
void BM_Consecutive300Pitches(benchmark::State& st) {
    const struct {
        const char* type;
        double mph, ivb, hb, height, side;
    } types[] = {{"Fastball", 93, 16, 8, 2.8, -0.1},  {"Sinker", 92, 8, 15, 1.9, -0.7},
                 {"Slider", 84, 2, -6, 1.8, 0.8},     {"Curveball", 77, -13, -8, 1.2, 0.3},
                 {"ChangeUp", 85, 7, 13, 1.6, -0.6}, {"Cutter", 88, 9, -3, 2.3, 0.5}};
    std::string csv =
        "GameID,Inning,PAofInning,Pitcher,TaggedPitchType,RelSpeed,InducedVertBreak,HorzBreak,"
        "RelHeight,RelSide,Extension,PlateLocHeight,PlateLocSide\n";
    for (int i = 0; i < 300; ++i) {
        const auto& t = types[i * 7 % 6];
        const double wobble = (i * 37 % 11 - 5) / 5.0;  // -1 to 1
        csv += "1," + std::to_string(i / 24 + 1) + ',' + std::to_string(i / 4 % 6 + 1) + ",A," +
               t.type + ',' + std::to_string(t.mph + wobble) + ',' + std::to_string(t.ivb + wobble) +
               ',' + std::to_string(t.hb - wobble) + ",6.0," + std::to_string(1.9 + wobble / 10) +
               ",6.2," + std::to_string(t.height + wobble / 4) + ',' +
               std::to_string(t.side + wobble / 4) + '\n';
    }
    const CsvTable table = parseCsv(csv);
    const Arsenal grouped = groupArsenal(readBullpen(table, *knownColumns(table.header)));
    for (auto _ : st) {
        Arsenal a = grouped;
        a.pairing = Pairing::Consecutive;
        fitArsenal(a, {.threads = 2});
        benchmark::DoNotOptimize(a.pairs.data());
    }
    st.counters["ms_per_pitch"] = benchmark::Counter(
        300, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Consecutive300Pitches)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
