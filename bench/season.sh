#!/usr/bin/env bash
# A League's season through the command line: a generated Statcast-style file of 750,000
# pitches by 800 pitchers, read by `ballview --arsenal` and `--arsenal --pairs`, with the time
# and the peak memory of each (GNU time, Debian's package "time").
# Usage: season.sh BUILD_FOLDER [PITCHES PITCHERS]
set -euo pipefail
build=$1
pitches=${2:-750000}
pitchers=${3:-800}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/season_file" "$work/season.csv" "$pitches" "$pitchers"
printf 'Statcast-style file: %s pitches, %s pitchers, %s MB\n' "$pitches" "$pitchers" \
    "$(( $(stat -c %s "$work/season.csv") / 1000000 ))"
for args in "" "--pairs"; do
    # shellcheck disable=SC2086  # args is one option or none
    /usr/bin/time -f '%e %M' -o "$work/time" \
        "$build/window/ballview" --arsenal "$work/season.csv" $args >"$work/out.csv" 2>/dev/null
    read -r seconds kb <"$work/time"
    printf '%-28s %7s s  %5s MB peak  %6s rows\n' "--arsenal $args" "$seconds" \
        "$((kb / 1024))" "$(($(wc -l <"$work/out.csv") - 1))"
done
