# Shared by run.sh and test.sh: installs the Debian packages the project needs (only the
# missing ones) and configures and builds the project into build/.
# Sourced, not run: it expects PACKAGES to be set by the caller.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

BUILD_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-translations-l10n qt6-svg-dev
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good qt6-charts-dev libqt6opengl6-dev
  libfluidsynth-dev timgm6mb-soundfont libjpeg-dev
  fonts-liberation fonts-dejavu-core
  python3 librsvg2-bin
)

# clang and its sanitizer and libFuzzer runtimes: only for the fuzz run of CI.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# The compiler cache where the machine has one: rebuilds in another clone of the same
# sources (CI's) then reuse the objects.
CCACHE_ARGS=()
if command -v ccache >/dev/null 2>&1; then
  CCACHE_ARGS=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$ROOT"
fi

# Whether LeakSanitizer works on this machine: it stops the process's threads to look
# for leaks, which some containers forbid. A program that leaks on purpose must be told.
leak_check_works() {
  local dir rc=0
  dir="$(mktemp -d)"
  printf 'int *volatile kept;\nint main() { kept = new int[8]; kept = nullptr; return 0; }\n' >"$dir/leak.cpp"
  if ! g++ -fsanitize=address -g "$dir/leak.cpp" -o "$dir/leak" 2>/dev/null; then
    rm -rf "$dir"
    return 1
  fi
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS= "$dir/leak" >"$dir/out" 2>&1 || true
  grep -q "detected memory leaks" "$dir/out" || rc=1
  rm -rf "$dir"
  return "$rc"
}

missing_packages() {
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$p"
    fi
  done
}

install_packages() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  local cmd=(apt-get install -y --no-install-recommends "${missing[@]}")
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "These Debian packages are missing. As root, run:" >&2
      echo "  apt-get update && ${cmd[*]}" >&2
      exit 1
    fi
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive "${cmd[@]}" -qq
}

build_project() {
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${CCACHE_ARGS[@]}"
  fi
  cmake --build "$BUILD" --parallel "$(nproc)"
}
