#!/usr/bin/env bash
# Runs the benchmarks and prints the medians beside their budgets. A median over budget is
# reported; only one over twice its budget, a clear regression rather than a busy shared
# machine, fails the check. Usage: check_budgets.sh BUILD_FOLDER
set -euo pipefail
build=$1
export QT_QPA_PLATFORM=offscreen

# The median of seven repetitions; the best of three such medians, because on a shared 2-core
# machine one whole run of the benchmark can land on a slow stretch.
median() {  # median BINARY FILTER -> milliseconds
    for _ in 1 2 3; do
        "$1" --benchmark_filter="^$2\$" --benchmark_repetitions=7 \
            --benchmark_report_aggregates_only=true --benchmark_time_unit=ms 2>/dev/null |
            awk -v n="$2_median" '$1 == n {print $2}'
    done | sort -g | head -1
}

status=0
check() {  # check LABEL MEDIAN BUDGET
    local verdict=ok
    if ! awk -v m="$2" -v b="$3" 'BEGIN {exit !(m <= 2 * b)}'; then
        verdict="FAIL: over twice the budget"
        status=1
    elif ! awk -v m="$2" -v b="$3" 'BEGIN {exit !(m <= b)}'; then
        verdict="over budget, within twice it (a busy machine?)"
    fi
    printf '%-48s %8s ms  (budget %s ms)  %s\n' "$1" "$2" "$3" "$verdict"
}

check "whole aimed default run (physics)" "$(median "$build/bench/physics_bench" BM_AimedDefaultRun)" 2.5
check "ボール１ click at the defaults, boxes painted" "$(median "$build/bench/window_bench" BM_Ball1ClickDefault)" 16
check "slowest legal aimed click (54 km/h)" "$(median "$build/bench/window_bench" BM_Ball1ClickSlowest)" 25
check "spin fitted to the default break" "$(median "$build/bench/physics_bench" BM_FitDefaultBreak)" 10
check "spin fitted to 150 cm at 54 km/h" "$(median "$build/bench/physics_bench" BM_FitSlowestLargestBreak)" 60
check "spin for a break no spin reaches (-150 cm at 54 km/h)" "$(median "$build/bench/physics_bench" BM_FitUnreachableBreak)" 100
check "300 pitches thrown as measured, paired as consecutive" "$(median "$build/bench/physics_bench" BM_Consecutive300Pitches/real_time)" 1000
check "300 pitches, 6 types: read, fitted, shown" "$(median "$build/bench/window_bench" BM_Arsenal300Pitches)" 1000
# The realistic flight, per metre, within the program's own pass per metre (18.44 m against the
# realistic 16.4592 m). Both benchmarks report microseconds.
pass=$(median "$build/bench/physics_bench" BM_DefaultPass)
real=$(median "$build/bench/physics_bench" BM_RealFlight)
check "realistic flight, as a pass of its length" "$(awk -v r="$real" 'BEGIN {print r / 1000}')" \
    "$(awk -v p="$pass" 'BEGIN {printf "%.3f", p / 1000 * 16.4592 / 18.44}')"
exit $status
