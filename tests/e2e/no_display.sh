#!/usr/bin/env bash
# End to end: without any display (DISPLAY unset, or naming a display where no server runs) and with no
# SDL_VIDEODRIVER, the program says so on standard error and in the log and ends with status 1. It
# rewrites neither Setup.ini nor the score file and leaves no crash marker behind.
# Usage: no_display.sh RUN_DIR
set -u
run_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$run_dir/Files" "$run_dir/glimmet" "$work/" || exit 1
cd "$work" || exit 1

dead=4987
while [ -e "/tmp/.X11-unix/X$dead" ]; do dead=$((dead + 1)); done

fail() { echo "FAIL ($1): $2"; cat err.txt; tr -d '\r' < Files/Debug.txt 2>/dev/null | tail -n 10; exit 1; }
for display in "" ":$dead"; do
  case=${display:-DISPLAY unset}
  rm -f Files/Debug.txt Files/291/nuscores.dat Files/291/crash.dat
  printf 'Width=1024\r\nHeight=768\r\n' > Files/Setup.ini
  if [ -n "$display" ]; then set_display=(DISPLAY="$display"); else set_display=(); fi
  ASAN_OPTIONS=detect_leaks=0 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${set_display[@]}" \
    SDL_AUDIODRIVER=dummy timeout 60 ./glimmet >out.txt 2>err.txt
  status=$?
  [ "$status" -eq 1 ] || fail "$case" "exit status $status, expected 1"
  grep -q "no display could be opened" err.txt || fail "$case" "no message on standard error"
  tr -d '\r' < Files/Debug.txt | grep -qx $'\tNo display could be opened.' || fail "$case" "no line in the log"
  [ "$(cat Files/Setup.ini)" = "$(printf 'Width=1024\r\nHeight=768\r\n')" ] || fail "$case" "Setup.ini was rewritten"
  [ ! -e Files/291/nuscores.dat ] || fail "$case" "nuscores.dat was written"
  [ ! -e Files/291/crash.dat ] || fail "$case" "crash.dat left behind"
done
echo "ok: without a display (unset, or :$dead with no server) it ended with status 1 and said why"
