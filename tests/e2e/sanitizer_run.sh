#!/usr/bin/env bash
# End to end, sanitizer build only: the program run by hand, without the ASAN_OPTIONS and LSAN_OPTIONS
# that ./test sets, ends with status 0 and no leak report: headless on SDL's dummy drivers, and in a
# window on the test X display, where SDL loads and unloads the GL driver.
# Usage: sanitizer_run.sh RUN_DIR SANITIZE     Exit 77 (skipped) when SANITIZE is not ON.
set -u
run_dir=$1
[ "${2:-OFF}" = "ON" ] || { echo "skipped: not the sanitizer build"; exit 77; }

work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$run_dir/Files" "$run_dir/glimmet" "$work/" || exit 1
cd "$work" || exit 1
fail() { echo "FAIL ($1): $2"; grep -v '^ALSA lib' err.txt | head -n 40; exit 1; }

# Runs the program until it ends; once it has loaded, a SIGTERM (a window-close request) a second
# ends it should it wait for the player.
run_by_hand() {
  rm -f Files/Setup.ini Files/Debug.txt Files/291/nuscores.dat
  env -u ASAN_OPTIONS -u LSAN_OPTIONS "$@" ./glimmet >out.txt 2>err.txt &
  pid=$!
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    tr -d '\r' 2>/dev/null < Files/Debug.txt | grep -qx "Finished Loading" && kill -TERM "$pid" 2>/dev/null
    sleep 1
  done
  wait "$pid"
  status=$?
  pid=
}

run_by_hand SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
[ "$status" -eq 0 ] || fail "dummy drivers" "exit status $status"
grep -q "LeakSanitizer" err.txt && fail "dummy drivers" "leak report"

if [ -n "${GLIMMET_E2E_DISPLAY:-}" ]; then
  run_by_hand -u SDL_VIDEODRIVER DISPLAY="$GLIMMET_E2E_DISPLAY" SDL_AUDIODRIVER=dummy
  [ "$status" -eq 0 ] || fail "X display" "exit status $status"
  grep -q "LeakSanitizer" err.txt && fail "X display" "leak report"
  echo "ok: the sanitizer program ends cleanly by hand, headless and in a window"
else
  echo "ok: the sanitizer program ends cleanly by hand, headless (no test X display for a window)"
fi
