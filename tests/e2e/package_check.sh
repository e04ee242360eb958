#!/usr/bin/env bash
# The Debian package as a user meets it: built with CPack from this build, checked by lintian,
# installed with apt, its program answering --version and --help without a display and
# opening its window under Xvfb, its desktop entry valid; then purged, with nothing of it
# left. A ballview package that was already installed is left alone. Needs root; exits 77
# (skipped) otherwise. Usage: package_check.sh BUILD_FOLDER
build=$(realpath "$1")
if [ "$(id -u)" -ne 0 ]; then
    echo "package check skipped: not root (installing a package needs root)"
    exit 77
fi
for tool in cpack apt-get dpkg-shlibdeps lintian desktop-file-validate Xvfb xdotool man python3; do
    command -v "$tool" >/dev/null || { echo "package check skipped: $tool is not installed"; exit 77; }
done
if dpkg-query -W -f='${Status}' ballview 2>/dev/null | grep -q "install ok installed"; then
    echo "package check skipped: a ballview package is already installed; it is left as it is"
    exit 77
fi
APP=/usr/bin/ballview
source "$(dirname "$0")/lib.sh"

(cd "$build" && cpack -G DEB >"$WORK/cpack.log" 2>&1) || fail "cpack: $(cat "$WORK/cpack.log")"
deb=$(ls "$build"/ballview_*_amd64.deb)
echo "built $(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
lintian --fail-on error "$deb" >"$WORK/lintian.log" 2>&1 ||
    fail "lintian reports errors: $(cat "$WORK/lintian.log")"
echo "lintian: no errors, $(grep -c '^W:' "$WORK/lintian.log" || true) warning(s)"
grep '^W:' "$WORK/lintian.log" | sed 's/^/  /' || true

purge() { apt-get purge -y -qq ballview >/dev/null 2>&1 || true; cleanup; }
trap purge EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$WORK/apt.log" 2>&1 ||
    fail "apt could not install it: $(cat "$WORK/apt.log")"
dpkg -L ballview >"$WORK/files"

# The command line, with no display at all.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$APP" --version)
[ "$version" = "ballview $(dpkg-query -W -f='${Version}' ballview)" ] || fail "--version: $version"
env -u DISPLAY -u QT_QPA_PLATFORM "$APP" --help | grep -q initdir.txt || fail "--help names no files"
status=0
env -u DISPLAY -u QT_QPA_PLATFORM "$APP" --no-such-option 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "an unknown option gave status $status"
desktop-file-validate /usr/share/applications/ballview.desktop || fail "the desktop entry"
for page in /usr/share/man/man1/ballview.1.gz /usr/share/man/ja/man1/ballview.1.gz; do
    grep -qx "$page" "$WORK/files" || fail "no manual page $page"
    # Every line fits an 80-column terminal, a wide character taking two.
    widest=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | python3 -c '
import sys, unicodedata
print(max(sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in line.rstrip("\n"))
          for line in sys.stdin))')
    [ "$widest" -le 80 ] || fail "$page has a line $widest columns wide"
done

start_xvfb
mkdir "$WORK/home"
start_app "$WORK/home"
echo "the installed program opened its window: $WIN"
stop_app

apt-get purge -y -qq ballview >/dev/null 2>&1 || fail "apt could not purge it"
left=""
while read -r path; do
    if [ -e "$path" ] && [ ! -d "$path" ]; then left+="$path "; fi
done <"$WORK/files"
[ -z "$left" ] || fail "left after the purge: $left"
[ ! -e /usr/share/doc/ballview ] || fail "its doc folder is left"
echo "purged: the $(wc -l <"$WORK/files") paths it installed are gone"
echo "package: passed"
