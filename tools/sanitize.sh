#!/usr/bin/env bash
# Builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ (the CMake option ORBELLE_SANITIZE) and runs it. Leaks that
# LeakSanitizer reports from Qt or the system's libraries are suppressed by
# tools/lsan.supp; where LeakSanitizer cannot run (some containers) this says so and the
# rest of the checks go on.
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
install_packages "${BUILD_PACKAGES[@]}" pulseaudio

SAN_BUILD="$ROOT/build-sanitize"
export ASAN_OPTIONS="abort_on_error=0:detect_stack_use_after_return=0:strict_init_order=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/tools/lsan.supp:print_suppressions=0"

if ! leak_check_works; then
  echo "LeakSanitizer cannot run here (it needs to stop the process's threads, which this"
  echo "container does not allow): leaks are not checked in this run; the other checks go on."
  ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
fi

if [ ! -f "$SAN_BUILD/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$SAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBELLE_SANITIZE=ON \
    "${CCACHE_ARGS[@]}"
fi
cmake --build "$SAN_BUILD" --parallel "$(nproc)"

cd "$SAN_BUILD"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure --parallel "$(nproc)" --timeout 900 "$@"
