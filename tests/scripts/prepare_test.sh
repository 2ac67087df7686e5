#!/usr/bin/env bash
# The set-up that ./run and ./test share: ./run asks only for what the game needs, and the way it
# configures and builds works on a machine without GoogleTest.
# Usage: prepare_test.sh SOURCE_DIR
set -u
cd "$1" || exit 1
source scripts/prepare.sh
fail() { echo "FAIL: $*"; exit 1; }

for p in googletest libgtest-dev clang libclang-rt-14-dev xvfb xdotool; do
  printf '%s\n' "${GLIMMET_PACKAGES[@]}" | grep -qx "$p" && fail "./run would install $p, which only the tests need"
  printf '%s\n' "${GLIMMET_TEST_PACKAGES[@]}" | grep -qx "$p" || fail "$p is in neither list"
done
[ "$(missing_packages | wc -l)" -ge "$(missing_packages "${GLIMMET_PACKAGES[@]}" | wc -l)" ] ||
  fail "missing_packages without arguments does not cover ./run's packages"

# Configure as ./run does, with GoogleTest hidden from CMake as if it were not installed.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S . -B "$work" -G Ninja "${GLIMMET_RUN_OPTIONS[@]}" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  >"$work.log" 2>&1 || { cat "$work.log"; rm -f "$work.log"; fail "configuring as ./run does needs GoogleTest"; }
rm -f "$work.log"
targets=$(ninja -C "$work" -t targets all 2>/dev/null | cut -d: -f1)
for t in "${GLIMMET_RUN_TARGETS[@]}"; do
  printf '%s\n' "$targets" | grep -qx "$t" || fail "no target $t to build"
done
printf '%s\n' "$targets" | grep -q 'glimmet_tests' && fail "./run's build folder holds the tests"
echo "ok: ./run needs ${#GLIMMET_PACKAGES[@]} packages and builds ${GLIMMET_RUN_TARGETS[*]} without GoogleTest"
