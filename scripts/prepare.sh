# Shared set-up of ./run and ./test: Debian packages and the CMake build folders.
# Sourced, not run: it defines functions and sets nothing else.

GLIMMET_PACKAGES=(
  cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
  libsdl2-dev libpng-dev zlib1g-dev libfreetype-dev
  googletest libgtest-dev
  libmicrohttpd-dev libsqlite3-dev libsodium-dev
  fonts-dejavu-core fonts-roboto-unhinted fonts-league-spartan fonts-bebas-neue fonts-sixtyfour
  xvfb xdotool
)

missing_packages() {
  local p
  for p in "${GLIMMET_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# Installs what is missing when root; otherwise names the command to run and fails.
ensure_packages() {
  local missing
  missing=$(missing_packages | tr '\n' ' ')
  [ -z "${missing// /}" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: $missing" >&2
    echo "Install them with: sudo apt-get install -y $missing" >&2
    return 1
  fi
  echo "Installing Debian packages: $missing"
  apt-get update -qq || { echo "apt-get update failed" >&2; return 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing || { echo "apt-get install failed: $missing" >&2; return 1; }
  missing=$(missing_packages | tr '\n' ' ')
  if [ -n "${missing// /}" ]; then
    echo "Still missing after install: $missing" >&2
    return 1
  fi
}

# configure_build DIR [cmake options...]: configures DIR once, with Ninja.
configure_build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" || return 1
  fi
}
