#!/usr/bin/env bash
# End to end: the real program in a real window on the test X display, driven with xdotool as a player
# would: F11 while it loads and again on the title screen, Escape to the farewell screen, a key to end.
# The files it leaves are checked.
# Usage: start_and_screenshot.sh RUN_DIR      Exit 77 (skipped) without a test display or xdotool.
set -u
run_dir=$1
[ -n "${GLIMMET_E2E_DISPLAY:-}" ] || { echo "skipped: no test X display (GLIMMET_E2E_DISPLAY)"; exit 77; }
command -v xdotool >/dev/null || { echo "skipped: xdotool missing"; exit 77; }

fail() { echo "FAIL: $*"; [ -f Files/Debug.txt ] && tr -d '\r' < Files/Debug.txt | tail -n 20; cat out.txt 2>/dev/null | tail -n 20; exit 1; }

work=$(mktemp -d)
# A program left running would show its window to the next test: end it for good.
trap 'kill -KILL "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$work"' EXIT
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

wid=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" --name '^#291 : Flonder' 2>/dev/null | head -n 1)
[ -n "$wid" ] || fail "no window titled '#291 : Flonder's Glimmet' appeared"
geometry=$(xdotool getwindowgeometry "$wid" | grep -o '[0-9]*x[0-9]*$')
[ "$geometry" = "800x600" ] || fail "window is $geometry, expected 800x600"

key() { xdotool windowfocus --sync "$wid" key "$1" 2>/dev/null; }
# A held key, as a player presses it: screens test keys held once a frame, and a plain tap can fall
# between two frames.
press() {
  xdotool windowfocus --sync "$wid" keydown "$1" 2>/dev/null
  sleep 0.3
  xdotool keyup "$1" 2>/dev/null
}
logged() { tr -d '\r' < Files/Debug.txt 2>/dev/null | grep -qx "$1"; }

# Screenshots of the loading frames (the engine test's frames handle F11) until loading is over.
for _ in $(seq 1 600); do
  kill -0 "$pid" 2>/dev/null || fail "the program ended while loading"
  logged "Finished Loading" && break
  key F11
  sleep 0.1
done
logged "Finished Loading" || fail "loading did not finish"
sleep 4 # the loading floor of 2.5 s, then the title screen slides in
kill -0 "$pid" 2>/dev/null || fail "the program ended instead of showing the title screen"
key F11
sleep 1
press Escape
for _ in $(seq 1 100); do logged "Play again, soon!!" && break; sleep 0.1; done
logged "Play again, soon!!" || fail "Escape on the title screen did not reach the farewell screen"
[ -f Files/Setup.ini ] || fail "Setup.ini not written before the farewell screen"
sleep 2.5 # past the release wait: the farewell screen now stays until a key is pressed
kill -0 "$pid" 2>/dev/null || fail "the farewell screen did not wait for a key"
press space
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "a key did not end the farewell screen"
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

shots=$(ls -tr Files/Flonders\ Glimmet\ \(Screenshot_*\).png 2>/dev/null)
shot=$(printf '%s\n' "$shots" | head -n 1)
title=$(printf '%s\n' "$shots" | tail -n 1)
[ -n "$shot" ] || fail "no screenshot file in Files/"
[ "$shot" != "$title" ] || fail "no screenshot of the title screen"
cmp -s "$shot" "$title" && fail "the title screen looks like the loading frame"
# PNG header: signature, then the IHDR width and height (800 x 600).
header=$(od -An -tx1 -N24 "$shot" | tr -d ' \n')
[ "${header:0:16}" = "89504e470d0a1a0a" ] || fail "screenshot is not a PNG"
[ "${header:32:16}" = "0000032000000258" ] || fail "screenshot is not 800 x 600 (${header:32:16})"
echo "ok: window 800x600, loading and title screenshots, farewell screen ended by a key, log complete"
