#!/usr/bin/env bash
# End to end: without any display the program says so on standard error and in the log, and ends
# cleanly with status 1, leaving no crash marker behind.
# Usage: no_display.sh RUN_DIR
set -u
run_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$run_dir/Files" "$run_dir/glimmet" "$work/" || exit 1
cd "$work" || exit 1
rm -f Files/Debug.txt
ASAN_OPTIONS=detect_leaks=0 env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
  timeout 60 ./glimmet >out.txt 2>err.txt
status=$?
fail() { echo "FAIL: $*"; cat err.txt; tr -d '\r' < Files/Debug.txt 2>/dev/null | tail -n 10; exit 1; }
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
grep -q "no display could be opened" err.txt || fail "no message on standard error"
tr -d '\r' < Files/Debug.txt | grep -qx $'\tNo display could be opened.' || fail "no line in the log"
[ ! -f Files/291/crash.dat ] || fail "crash.dat left behind"
echo "ok: ended with status 1 and said why"
