#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
source "$(dirname "$0")/tools/prepare.sh"

# The desktop's validators check the installed desktop entry and AppStream metadata;
# dpkg-dev lets the package test compute the package's dependencies.
TEST_PACKAGES=(pulseaudio desktop-file-utils appstream dpkg-dev)
# The screen-reader check runs the program on a virtual screen with the accessibility bus.
TEST_PACKAGES+=(xvfb dbus dbus-daemon at-spi2-core python3-pyatspi)
# The check that reports open in a word processor runs where LibreOffice is installed;
# ORBELLE_WITH_LIBREOFFICE=1 installs it (a large download), otherwise that test skips.
if [ "${ORBELLE_WITH_LIBREOFFICE:-0}" = 1 ]; then
  TEST_PACKAGES+=(libreoffice-writer-nogui)
fi
install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_project

cd "$BUILD"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure --parallel "$(nproc)" "$@"
