#!/usr/bin/env bash
# A bounded fuzz run of the file readers: tools/fuzz.sh SECONDS (default 60) in all.
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each from its
# checked-in corpus: the RTF reader (tests/fuzz/corpus) for half the time, the SoundFont,
# MIDI and wave readers (tests/fuzz/corpus_sf2, corpus_midi, corpus_wave) for a sixth
# each. New inputs go to a temporary folder. A crash, a sanitizer finding, more than 2 GB
# of memory or one input slower than 1 s fails the run.
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
install_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

SECONDS_TO_RUN="${1:-60}"
FUZZ_BUILD="$ROOT/build-fuzz"
FUZZ_DIR="$ROOT/tests/fuzz"
if [ ! -f "$FUZZ_BUILD/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORBELLE_FUZZ=ON "${CCACHE_ARGS[@]}"
fi
cmake --build "$FUZZ_BUILD" --parallel "$(nproc)" \
  --target fuzz_rtfreader fuzz_sf2file fuzz_midiscan fuzz_wavescan

export LSAN_OPTIONS="suppressions=$ROOT/tools/lsan.supp:print_suppressions=0"
leaks=1
if ! leak_check_works; then
  echo "LeakSanitizer cannot run here: the fuzz run does not check for leaks."
  leaks=0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# fuzz TARGET SECONDS CORPUS [libFuzzer options]
fuzz() {
  local target="$1" seconds="$2" corpus="$3"
  shift 3
  echo "=== $target for $seconds s"
  mkdir -p "$work/$target/new" "$work/$target/found"
  local fuzzer=("$FUZZ_BUILD/$target" "$@" -rss_limit_mb=2048 -timeout=1 -detect_leaks="$leaks"
    -artifact_prefix="$work/$target/found/")
  if "${fuzzer[@]}" -max_total_time="$seconds" -print_final_stats=1 "$work/$target/new" "$corpus"; then
    return 0
  fi
  # A crash, a leak or too much memory fails at once. A time-out is tried again on its
  # own: on a machine busy with other builds an input of 100 ms can miss the second once,
  # but a slow input is slow every time.
  local found f slow
  mapfile -t found < <(find "$work/$target/found" -type f)
  for f in "${found[@]}"; do
    case "$(basename "$f")" in
      timeout-*) ;;
      *) echo "fuzz: $target: $(basename "$f") (base64 below)"; base64 -w0 "$f"; echo; return 1 ;;
    esac
  done
  [ "${#found[@]}" -gt 0 ] || return 1
  for f in "${found[@]}"; do
    slow=0
    for _ in 1 2 3; do
      "${fuzzer[@]}" -runs=1 "$f" >/dev/null 2>&1 || slow=$((slow + 1))
    done
    if [ "$slow" -eq 3 ]; then
      echo "fuzz: $target: an input took longer than 1 s three times out of three (base64 below)"
      base64 -w0 "$f"; echo
      return 1
    fi
    echo "fuzz: $target: an input went over 1 s once but not when tried again on its own: the machine was busy"
  done
}

rtf_seconds=$((SECONDS_TO_RUN / 2))
media_seconds=$(((SECONDS_TO_RUN - rtf_seconds) / 3))
[ "$rtf_seconds" -ge 1 ] || rtf_seconds=1
[ "$media_seconds" -ge 1 ] || media_seconds=1
status=0
fuzz fuzz_rtfreader "$rtf_seconds" "$FUZZ_DIR/corpus" -dict="$FUZZ_DIR/rtf.dict" -max_len=20000 || status=1
fuzz fuzz_sf2file "$media_seconds" "$FUZZ_DIR/corpus_sf2" -dict="$FUZZ_DIR/sf2.dict" || status=1
fuzz fuzz_midiscan "$media_seconds" "$FUZZ_DIR/corpus_midi" -dict="$FUZZ_DIR/midi.dict" || status=1
fuzz fuzz_wavescan "$media_seconds" "$FUZZ_DIR/corpus_wave" -dict="$FUZZ_DIR/wave.dict" || status=1
exit "$status"
