#!/usr/bin/env bash
# Saves a picture of Kravelo showing the sample subtitle file: builds the program when needed,
# starts it on a virtual X display (xvfb-run) with its own settings folders, waits until the
# main window is drawn, takes the picture of the whole screen and ends the program.
#   scripts/screenshot.sh OUT.png
# KRAVELO_BUILD_DIR chooses the build folder (default build-release, as scripts/run.sh).
set -euo pipefail

if [ "${1:-}" != "--on-display" ]; then
  out=$(realpath -m "${1:?usage: scripts/screenshot.sh OUT.png}")
  cd "$(dirname "$0")/.."
  build=${KRAVELO_BUILD_DIR:-build-release}
  if [ ! -f "$build/CMakeCache.txt" ]; then
    bash scripts/setup.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKRAVELO_BUILD_TESTS=OFF \
      -DKRAVELO_BUILD_BENCH=OFF >/dev/null
  fi
  cmake --build "$build" --parallel "$(nproc)" --target kravelo >/dev/null
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$build/kravelo" "$out"
fi

# On the virtual display.
program=$2
out=$3
home=$(mktemp -d)
pid=
finish() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$home"
}
trap finish EXIT

# The first start asks for the language over the window: answered beforehand, as the first
# start would have left it.
ini="$(dirname "$program")/kravelo.ini"
[ -e "$ini" ] || printf '[Settings]\nFirstStart=0\n' >"$ini"
# Fresh settings and a private single-instance socket: a Kravelo already running elsewhere
# must not take the file over.
mkdir -m 700 "$home/runtime"
XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
  "$program" data/samples/sample.txt &
pid=$!

# Wait (at most a minute) for the window to be mapped and drawn: the picture of the screen has
# more than a handful of colours once the widgets are painted.
for _ in $(seq 600); do
  kill -0 "$pid" 2>/dev/null || { echo "screenshot: kravelo ended before showing its window" >&2; exit 1; }
  if xwininfo -root -tree 2>/dev/null | grep -q '"Kravelo' &&
     import -window root "$out" 2>/dev/null &&
     [ "$(identify -format '%k' "$out")" -gt 16 ]; then
    echo "$out"
    exit 0
  fi
  sleep 0.1
done
echo "screenshot: the window did not appear" >&2
exit 1
