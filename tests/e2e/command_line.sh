#!/usr/bin/env bash
# The command line as a terminal user meets it, with no display: help in Japanese (in English
# under an English locale), the version, one line naming the missing display, and a mistaken
# option named as typed, a long one cut short; --arsenal's output whole, or a failure said.
# Usage: command_line.sh PROGRAM
APP=$(realpath "$1")
set -uo pipefail
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
run() {  # run LOCALE ARGS...: the output and error output, then "status N"
    local locale=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL="$locale" LANG="$locale" \
        "$APP" "$@" 2>&1
    echo "status $?"
}

# Japanese unless the locale is English. C.UTF-8 is on every machine; the English locale may not
# be installed (Qt then adds a line about it), so only what the help says is checked there.
said=$(run C.UTF-8 --help)
[[ "$said" == *"使い方: ballview"*"initdir.txt"*"status 0" ]] || fail "--help in Japanese: $said"
said=$(run en_US.UTF-8 --help)
[[ "$said" == *"Usage: ballview"*"initdir.txt"*"status 0" ]] || fail "--help in English: $said"
said=$(run C.UTF-8 --version)
[[ "$said" == "ballview "[0-9]*"status 0" ]] || fail "--version: $said"

said=$(run C.UTF-8)
[ "$(echo "$said" | wc -l)" -eq 2 ] || fail "no display: more than one line: $said"
[[ "$said" == *DISPLAY*WAYLAND_DISPLAY*"status 1" ]] || fail "no display: $said"

said=$(run C.UTF-8 -style Fusion)
[[ "$said" == *"「-style」"*"status 2" ]] || fail "an unknown option not named as typed: $said"
long="--$(head -c 100000 /dev/zero | tr '\0' x)"
said=$(run C.UTF-8 "$long")
[[ "$said" == *"「--xxx"*"…」"*"status 2" ]] || fail "a long option: $said"
[ "${#said}" -lt 200 ] || fail "a 100 kB option echoed back: ${#said} characters"
said=$(run C.UTF-8 pitches.csv)
[[ "$said" == *"pitches.csv"*"status 2" ]] || fail "an argument: $said"

# The arsenal for scripts, with no display: the types and pairs on standard output, skipped rows
# on standard error; a missing file exits 1, a missing name 2.
sample=$(dirname "$0")/../../docs/sample-bullpen.csv
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$APP" --arsenal "$sample" 2>/dev/null)
[ "$(echo "$out" | head -1)" = "pitcher,hand,type,count,speed_kmh,spin_rpm,tilt,ivb_cm,hb_cm,model_speed_kmh,model_spin_rps,model_axis_deg,model_ivb_cm,model_hb_cm,release_side_cm,release_height_cm,extension_m,plate_side_cm,plate_height_cm,model_plate_side_cm,model_plate_height_cm,model_alpha_rad,model_beta_rad,model_bounce_m,implied_efficiency_pct,predicted_ivb_cm,predicted_hb_cm,unexplained_ivb_cm,unexplained_hb_cm" ] ||
    fail "--arsenal: $out"
# The efficiency its break implies; no prediction without an efficiency in the file.
[[ "$out" == *'"Sato, Kenta",Right,Fastball,14,'*',71.9,,,,'* ]] || fail "--arsenal rows: $out"
said=$(run C.UTF-8 --arsenal "$sample" --pairs)
[[ "$said" == *"pitcher,type1,type2,pairing,count,release_gap_cm,tunnel_gap_cm"*"status 0" &&
    "$said" == *"20 行目"* ]] ||
    fail "--pairs: $said"
said=$(run C.UTF-8 --arsenal "$sample" --pairs --pairing consecutive)
[[ "$said" == *'"Sato, Kenta",Fastball,Slider,consecutive,'*"status 0" ]] ||
    fail "--pairing consecutive: $said"
said=$(run C.UTF-8 --arsenal "$sample" --pairs --pairing sideways)
[[ "$said" == *"--pairing means|consecutive"*"status 2" ]] || fail "--pairing sideways: $said"
# A type's row with its spin changed, and a change that cannot be read.
said=$(run C.UTF-8 --arsenal "$sample" --what-if "type=Fastball,rpm=+200")
[[ "$said" == *'"Sato, Kenta",Right,Fastball,14,149.89,2547,'*"status 0" ]] ||
    fail "--what-if: $said"
said=$(run C.UTF-8 --arsenal "$sample" --what-if "type=Fastball,spin=2")
[[ "$said" == *"「spin」"*"status 2" ]] || fail "--what-if of an unknown figure: $said"
said=$(run C.UTF-8 --arsenal missing.csv)
[[ "$said" == *"missing.csv"*"status 1" ]] || fail "--arsenal of a missing file: $said"
said=$(run C.UTF-8 --arsenal)
[[ "$said" == *"--arsenal"*"status 2" ]] || fail "--arsenal without a file: $said"
# Every byte or a failure: a NUL in a name does not cut the output short, and a full disk or a
# closed pipe exits 1, said.
hostile=$(mktemp)
trap 'rm -f "$hostile"' EXIT
printf 'pitcher,type,speed_kmh,ivb_cm,hb_cm\nSa\0to,=HYPERLINK("x"),145,40,-20\nMori,FB,140,30,10\n' >"$hostile"
out=$(env -u DISPLAY "$APP" --arsenal "$hostile" 2>&1)
[[ "$out" == *"Sa�to"*"'=HYPERLINK"*"Mori,"* ]] || fail "--arsenal of hostile names: $out"
said=$(env -u DISPLAY "$APP" --arsenal "$sample" 2>&1 >/dev/full; echo "status $?")
[[ "$said" == *"standard output"*"status 1" ]] || fail "--arsenal to a full disk: $said"
env -u DISPLAY "$APP" --arsenal "$sample" 2>"$hostile.err" | true
status=${PIPESTATUS[0]}
[ "$status" -eq 1 ] && grep -q "standard output" "$hostile.err" ||
    fail "--arsenal to a closed pipe: status $status, $(cat "$hostile.err")"
rm -f "$hostile.err"

# Columns it does not know: refused with the way to name them, then read as --columns names them
# or as the window remembers them (the same settings file, under a hash of the header).
printf 'Player;Pitch Type;Velocity;VB;HB\nSato;FB;90;16;8\nSato;CU;75;-12;-6\n' >"$hostile"
said=$(run en_US.UTF-8 --arsenal "$hostile")
[[ "$said" == *"--columns"*"status 1" ]] || fail "unknown columns: $said"
out=$(env -u DISPLAY "$APP" --arsenal "$hostile" \
      --columns "pitcher=Player,type=Pitch Type,speed=Velocity:mph,ivb=VB:in,hb=HB:in:pitcher")
[[ "$out" == *"Sato,,FB,1,144.84,"*"Sato,,CU,1,120.70,"* ]] || fail "--columns: $out"
config=$(mktemp -d)
key=$(printf 'Player\x1fPitch Type\x1fVelocity\x1fVB\x1fHB\x1f' | sha1sum | cut -d' ' -f1)
mkdir "$config/ballview"
printf '[columnMaps]\n%s=v1 0 -1 1 -1 2 -1 -1 -1 -1 3 4 -1 -1 -1 1 1 3 1\n' "$key" \
    >"$config/ballview/ballview.conf"
remembered=$(env -u DISPLAY XDG_CONFIG_HOME="$config" "$APP" --arsenal "$hostile")
rm -rf "$config"
[ "$remembered" = "$out" ] || fail "the columns the window remembers: $remembered"
echo "command line: passed"
