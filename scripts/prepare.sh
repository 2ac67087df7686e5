# Shared set-up of ./run and ./test: Debian packages and the CMake build folders.
# Sourced, not run: it defines functions and sets nothing else.

# What ./run needs to build and start the game and its data.
GLIMMET_PACKAGES=(
  cmake ninja-build pkg-config g++
  libsdl2-dev libpng-dev zlib1g-dev libfreetype-dev
  fonts-dejavu-core fonts-roboto-unhinted fonts-league-spartan fonts-sixtyfour
)
# What ./test needs on top: GoogleTest, clang for the sanitizer build, the score server's libraries, an
# X server for end to end.
GLIMMET_TEST_PACKAGES=(
  clang libclang-rt-14-dev
  googletest libgtest-dev
  libmicrohttpd-dev libsqlite3-dev libsodium-dev
  xvfb xdotool
)

# How ./run configures build/ the first time, and what it builds there: the game and its data only.
GLIMMET_RUN_OPTIONS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMET_TESTS=OFF -DGLIMMET_BENCH=OFF)
GLIMMET_RUN_TARGETS=(glimmet glimmet_data)

# missing_packages [PACKAGE...]: prints those not installed; without arguments, of both lists.
missing_packages() {
  local p
  [ $# -gt 0 ] || set -- "${GLIMMET_PACKAGES[@]}" "${GLIMMET_TEST_PACKAGES[@]}"
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# ensure_packages [PACKAGE...]: installs what is missing when root; otherwise names the command to run
# and fails. Without arguments, both lists.
ensure_packages() {
  local missing log
  missing=$(missing_packages "$@" | tr '\n' ' ')
  [ -z "${missing// /}" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: $missing" >&2
    echo "Install them with: sudo apt-get install -y $missing" >&2
    return 1
  fi
  echo "Installing Debian packages: $missing"
  log=$(mktemp)
  if ! { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing; } >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    echo "apt-get failed: $missing" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
  missing=$(missing_packages "$@" | tr '\n' ' ')
  if [ -n "${missing// /}" ]; then
    echo "Still missing after install: $missing" >&2
    return 1
  fi
}

# configure_build DIR [cmake options...]: configures DIR with Ninja the first time; a folder configured
# before keeps its options.
configure_build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" || return 1
  fi
}

# apply_build_options DIR [cmake options...]: configures DIR with Ninja and these options every time,
# so whoever configured DIR before cannot change them.
apply_build_options() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" || return 1
}
