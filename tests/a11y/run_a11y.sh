#!/usr/bin/env bash
# Runs the program on a virtual screen with the accessibility bus, as a screen reader
# meets it, and lets a check script (pyatspi, no mouse, no X tools) read and drive it.
# usage: run_a11y.sh <program> <check.py>
set -euo pipefail
program=$1
check=$2

work=$(mktemp -d)
# The server is waited for as it ends, so that it has cleared its display before the next
# run may take the number.
trap 'kill "${xvfb:-0}" 2>/dev/null && wait "${xvfb:-0}" 2>/dev/null; rm -rf "$work"' EXIT
# A display of our own. The search starts at a number of this run's own, so runs started
# together rarely try the same one; one that another server takes first is skipped.
display=""
for n in $(seq $((100 + $$ % 800)) $((100 + $$ % 800 + 50))); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] || ! kill -0 "$xvfb" 2>/dev/null && break; sleep 0.1; done
  if kill -0 "$xvfb" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }

export DISPLAY=":$display"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config"
export XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export QT_MEDIA_BACKEND=gstreamer
unset PYTHONPATH PYTHONHOME
export ORBELLE_PROGRAM="$program" ORBELLE_A11Y_LOG="$work/program.log"

dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 0.5
  "$ORBELLE_PROGRAM" >"$ORBELLE_A11Y_LOG" 2>&1 &
  program=$!
  rc=0
  /usr/bin/python3 "$0" || rc=$?
  kill "$program" 2>/dev/null || true
  if [ "$rc" != 0 ]; then echo "--- the program said:"; tail -20 "$ORBELLE_A11Y_LOG"; fi
  exit "$rc"
' "$check"
