#!/usr/bin/env bash
# A bounded fuzz run of the RTF reader: tools/fuzz.sh SECONDS (default 60). Builds the
# libFuzzer target with clang into build-fuzz/ and runs it from the checked-in corpus
# (tests/fuzz/corpus); new inputs go to a temporary folder. A crash, a sanitizer finding,
# more than 2 GB of memory or one input slower than 1 s fails the run.
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
install_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

SECONDS_TO_RUN="${1:-60}"
FUZZ_BUILD="$ROOT/build-fuzz"
if [ ! -f "$FUZZ_BUILD/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBELLE_FUZZ=ON "${CCACHE_ARGS[@]}"
fi
cmake --build "$FUZZ_BUILD" --parallel "$(nproc)" --target fuzz_rtfreader

export LSAN_OPTIONS="suppressions=$ROOT/tools/lsan.supp:print_suppressions=0"
leaks=1
if ! leak_check_works; then
  echo "LeakSanitizer cannot run here: the fuzz run does not check for leaks."
  leaks=0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/new" "$work/found"
cd "$work"
fuzzer=("$FUZZ_BUILD/fuzz_rtfreader" -dict="$ROOT/tests/fuzz/rtf.dict" -max_len=20000 -rss_limit_mb=2048
  -timeout=1 -detect_leaks="$leaks" -artifact_prefix="$work/found/")
if "${fuzzer[@]}" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 "$work/new" "$ROOT/tests/fuzz/corpus"; then
  exit 0
fi
# A crash, a leak or too much memory fails at once. A time-out is tried again on its own:
# on a machine busy with other builds an input of 100 ms can miss the second once, but a
# slow input is slow every time.
mapfile -t found < <(find "$work/found" -type f)
for f in "${found[@]}"; do
  case "$(basename "$f")" in
    timeout-*) ;;
    *) echo "fuzz: $(basename "$f") (base64 below)"; base64 -w0 "$f"; echo; exit 1 ;;
  esac
done
[ "${#found[@]}" -gt 0 ] || exit 1
for f in "${found[@]}"; do
  slow=0
  for _ in 1 2 3; do
    "${fuzzer[@]}" -runs=1 "$f" >/dev/null 2>&1 || slow=$((slow + 1))
  done
  if [ "$slow" -eq 3 ]; then
    echo "fuzz: an input took longer than 1 s three times out of three (base64 below)"
    base64 -w0 "$f"; echo
    exit 1
  fi
  echo "fuzz: an input went over 1 s once but not when tried again on its own: the machine was busy"
done
