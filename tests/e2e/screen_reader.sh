#!/usr/bin/env bash
# The window as a screen reader meets it, over AT-SPI in a real X server: a menu bar with its
# four menus, every text box, button and option button named in words a person reads (never by
# an identifier, never unnamed), and the three views named.
# Usage: screen_reader.sh PROGRAM
APP=$(realpath "$1")
for tool in Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "screen reader skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "screen reader skipped: no pyatspi"; exit 77; }
source "$(dirname "$0")/lib.sh"
start_xvfb
folder="$WORK/pitches"
mkdir "$folder"
export APP folder
# A session bus of its own, with the accessibility bus on it, as a desktop session has.
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    bus=$!
    sleep 0.5
    (cd "$folder" && exec env -u QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$APP") &
    app=$!
    status=1
    for _ in $(seq 1 100); do
        /usr/bin/python3 - <<'"'"'PY'"'"' && { status=0; break; }
import re, sys
import pyatspi

desktop = pyatspi.Registry.getDesktop(0)
window = None
for app in desktop:
    if app is None:
        continue
    for w in app:
        if w is not None and w.name == "ボールの軌道":
            window = w
if window is None:
    sys.exit(1)  # not on the bus yet

def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)

nodes = list(walk(window))
bars = [n for n in nodes if n.getRole() == pyatspi.ROLE_MENU_BAR]
menus = [m.name for bar in bars for m in bar if m is not None and m.name]
problems = []
if len(bars) != 1 or len(menus) < 4:
    problems.append("menu bars %d, menus %s" % (len(bars), menus))
identifier = re.compile(r"^[A-Za-z0-9_]*$")
controls = (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PUSH_BUTTON,
            pyatspi.ROLE_RADIO_BUTTON)
named = 0
for n in nodes:
    if n.getRole() in controls:
        if identifier.match(n.name or ""):
            problems.append("%s read as %r" % (n.getRoleName(), n.name))
        named += 1
views = {"三塁側から見た図", "真上から見た図", "キャッチャーから見た図"}
found = {n.name for n in nodes if n.getRole() != pyatspi.ROLE_LABEL} & views  # not captions
if found != views:
    problems.append("views named: %s" % sorted(found))
print("screen reader: %d menus (%s), %d controls, views %s"
      % (len(menus), " ".join(menus), named, " ".join(sorted(found))))
if problems:
    print("FAIL: " + "; ".join(problems[:10]))
    sys.exit(2)
PY
        result=$?
        [ "$result" -eq 2 ] && break
        sleep 0.2
    done
    kill "$app" "$bus" 2>/dev/null
    wait "$app" 2>/dev/null
    exit $status
' || fail "the screen reader's view of the window"
echo "screen reader: passed"
