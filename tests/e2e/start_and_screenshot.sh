#!/usr/bin/env bash
# End to end: the real program in a real window on the test X display. It is driven with xdotool
# (F11 while it loads, for screenshots) and the files it leaves are checked.
# Usage: start_and_screenshot.sh RUN_DIR      Exit 77 (skipped) without a test display or xdotool.
set -u
run_dir=$1
[ -n "${GLIMMET_E2E_DISPLAY:-}" ] || { echo "skipped: no test X display (GLIMMET_E2E_DISPLAY)"; exit 77; }
command -v xdotool >/dev/null || { echo "skipped: xdotool missing"; exit 77; }

fail() { echo "FAIL: $*"; [ -f Files/Debug.txt ] && tr -d '\r' < Files/Debug.txt | tail -n 20; cat out.txt 2>/dev/null | tail -n 20; exit 1; }

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$run_dir/Files" "$run_dir/glimmet" "$work/" || exit 1
cd "$work" || exit 1
rm -f Files/Setup.ini Files/Debug.txt Files/291/nuscores.dat Files/*.png

export DISPLAY=$GLIMMET_E2E_DISPLAY
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER
# The graphics drivers loaded into an instrumented build leave allocations behind that are not ours.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
./glimmet >out.txt 2>&1 &
pid=$!

wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^#291 : Flonder' 2>/dev/null | head -n 1)
[ -n "$wid" ] || fail "no window titled '#291 : Flonder's Glimmet' appeared"
geometry=$(xdotool getwindowgeometry "$wid" | grep -o '[0-9]*x[0-9]*$')
[ "$geometry" = "800x600" ] || fail "window is $geometry, expected 800x600"

# Ask for screenshots until the program ends: the frames of the engine test handle F11.
for _ in $(seq 1 1200); do
  kill -0 "$pid" 2>/dev/null || break
  xdotool windowfocus --sync "$wid" key F11 2>/dev/null
  sleep 0.1
done
for _ in $(seq 1 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end by itself"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"

log=$(tr -d '\r' < Files/Debug.txt)
[ "$(printf '%s\n' "$log" | tail -n 1)" = "Play again, soon!!" ] || fail "the log does not end with the farewell line"
printf '%s\n' "$log" | grep -qx $'\tUsing OpenGL Driver' || fail "no OpenGL driver line"
printf '%s\n' "$log" | grep -qx $'\tSaved Screenshot 1' || fail "no screenshot was saved"
[ -f Files/Setup.ini ] || fail "Setup.ini not written"
[ -f Files/291/nuscores.dat ] || fail "nuscores.dat not written"
[ ! -f Files/291/crash.dat ] || fail "crash.dat left behind"

shot=$(ls Files/Flonders\ Glimmet\ \(Screenshot_*\).png 2>/dev/null | head -n 1)
[ -n "$shot" ] || fail "no screenshot file in Files/"
# PNG header: signature, then the IHDR width and height (800 x 600).
header=$(od -An -tx1 -N24 "$shot" | tr -d ' \n')
[ "${header:0:16}" = "89504e470d0a1a0a" ] || fail "screenshot is not a PNG"
[ "${header:32:16}" = "0000032000000258" ] || fail "screenshot is not 800 x 600 (${header:32:16})"
echo "ok: window 800x600, screenshot $shot, log complete"
