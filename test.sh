#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
source "$(dirname "$0")/tools/prepare.sh"

TEST_PACKAGES=(pulseaudio)
install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_project

cd "$BUILD"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure --parallel "$(nproc)" "$@"
