#!/usr/bin/env bash
# End to end: crash.dat tells a crash from a quit. A SIGTERM (which SDL turns into a window-close
# request) while the display opens and loads ends the program cleanly without the marker, so the next
# start keeps OpenGL; a SIGKILL at that time leaves the marker, and the next start uses DirectX 9.
# Usage: quit_while_loading.sh RUN_DIR     Exit 77 (skipped) without a test display or xdotool.
set -u
run_dir=$1
[ -n "${GLIMMET_E2E_DISPLAY:-}" ] || { echo "skipped: no test X display (GLIMMET_E2E_DISPLAY)"; exit 77; }
command -v xdotool >/dev/null || { echo "skipped: xdotool missing"; exit 77; }

fail() { echo "FAIL: $*"; tr -d '\r' < Files/Debug.txt 2>/dev/null | tail -n 20; tail -n 20 out.txt; exit 1; }

work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$run_dir/Files" "$run_dir/glimmet" "$work/" || exit 1
cd "$work" || exit 1
rm -f Files/Setup.ini Files/Debug.txt Files/291/nuscores.dat Files/291/crash.dat

export DISPLAY=$GLIMMET_E2E_DISPLAY
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1

# Starts the program and waits until its window is up, which is while it loads.
start_loading() {
  ./glimmet >>out.txt 2>&1 &
  pid=$!
  timeout 60 xdotool search --sync --onlyvisible --pid "$pid" --name '^#291 : Flonder' >/dev/null 2>&1 ||
    fail "no window appeared"
  [ -f Files/291/crash.dat ] || fail "no crash.dat while loading"
}
log_has() { tr -d '\r' < Files/Debug.txt | grep -qx "$1"; }
# Ends the loading program with SIGTERM: it must quit cleanly, during loading, without the marker.
quit_while_loading() {
  kill -TERM "$pid"
  wait "$pid"
  local status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$1: exit status $status after SIGTERM, expected 0"
  log_has "Finished Loading" && fail "$1: the program had finished loading before the SIGTERM"
  [ ! -f Files/291/crash.dat ] || fail "$1: crash.dat left behind after SIGTERM"
}

start_loading
log_has $'\tUsing OpenGL Driver' || fail "first start: not OpenGL"
quit_while_loading "first start"

start_loading
log_has $'\tUsing OpenGL Driver' || fail "after a quit while loading: OpenGL was switched off"
kill -KILL "$pid"
wait "$pid" 2>/dev/null
pid=
[ -f Files/291/crash.dat ] || fail "after SIGKILL: no crash.dat"

start_loading
log_has $'\tUsing DirectX 9 Driver' || fail "after a crash while loading: not switched to DirectX 9"
quit_while_loading "third start"
echo "ok: a quit while loading keeps OpenGL, a kill while loading switches to DirectX 9"
