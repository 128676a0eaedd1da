#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Kravelo needs.
# Quick when everything is present: apt is only touched when a package is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev libqt6svg6 qt6-translations-l10n
  libmpv-dev ffmpeg espeak-ng libxrandr-dev libx11-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libwebrtc-audio-processing-dev
  xvfb xauth x11-utils imagemagick dbus-daemon
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core locales
  clang libclang-rt-14-dev
)

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale for the test that settings files keep "." whatever the locale says.
if ! locale -a 2>/dev/null | grep -qix 'pl_PL\.utf-\?8'; then
  $SUDO localedef -i pl_PL -f UTF-8 pl_PL.UTF-8 || echo "pl_PL.UTF-8 not generated: that test is skipped"
fi
