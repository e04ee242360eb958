#!/usr/bin/env bash
# cmake --install puts the program, its desktop entry and its icons where a Linux desktop
# finds them. Usage: install_check.sh BUILD_FOLDER
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -x "$prefix/bin/ballview" ] || fail "no program in bin"
desktop="$prefix/share/applications/ballview.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
grep -qx 'Name\[ja\]=ボールの軌道' "$desktop" || fail "no Japanese name"
grep -qx 'Exec=ballview' "$desktop" || fail "Exec does not name the program"
for size in 16 32 48 64 128; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/ballview.png"
    [ -f "$icon" ] || fail "no ${size}px icon"
    head -c 8 "$icon" | grep -q PNG || fail "${size}px icon is not a PNG"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
fi
echo "installed: $(cd "$prefix" && find . -type f | sort | tr '\n' ' ')"
