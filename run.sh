#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orbelle.
set -euo pipefail
source "$(dirname "$0")/tools/prepare.sh"

install_packages "${BUILD_PACKAGES[@]}"
build_project

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Orbelle is built ($BUILD/orbelle), but there is no display to show it on." >&2
  echo "Start ./run.sh from a desktop session." >&2
  exit 1
fi
exec "$BUILD/orbelle"
