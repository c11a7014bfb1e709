#!/usr/bin/env bash
# Saves a screenshot of the window in each of the eight skins into docs/screenshots/, as
# <position>-<name>.png. The program runs on a private Xvfb display from a copy in a temporary
# directory whose Setup.ini names the skin; the window at start needs no database.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
out=$top/docs/screenshots
skins=("Windows" "Amethyst Kamri" "Iceberg Classico" "Slate Classico" "Sapphire Kamri"
       "Lavender Classico" "Emerald Light Slate" "Smokey Quartz Kamri")

for tool in Xvfb xwininfo xdpyinfo import; do
  command -v "$tool" >/dev/null || { echo "missing $tool (packages xvfb, x11-utils, imagemagick)" >&2; exit 1; }
done

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target ScoreSetup -j"$(nproc)" >/dev/null

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the file, so that two of us
# started at the same time never share one; -noreset keeps it from restarting (and refusing
# the next program for a moment) each time the last program leaves.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb does not answer on $DISPLAY" >&2; exit 1; }

# "WIDTHxHEIGHT+X+Y" of the program's 794 x 575 window, once it is mapped.
window_geometry() {
  xwininfo -root -tree 2>/dev/null | grep -o '"ScoreSetup" "ScoreSetup")  794x575+[0-9]*+[0-9]*' |
    grep -o '794x575+[0-9]*+[0-9]*' | head -n 1
}

mkdir -p "$out"
for position in "${!skins[@]}"; do
  name=${skins[$position]}
  dir="$work/$position"
  mkdir -p "$dir"
  cp "$build/app/ScoreSetup" "$dir/"
  printf '[Setup]\r\nSkinIndex=%d\r\n' "$position" >"$dir/Setup.ini"
  "$dir/ScoreSetup" >"$dir/output.txt" 2>&1 &
  app_pid=$!
  geometry=
  for _ in $(seq 100); do
    geometry=$(window_geometry || true)
    [ -n "$geometry" ] && break
    sleep 0.1
  done
  if [ -z "$geometry" ]; then
    echo "the window did not appear for $name:" >&2
    cat "$dir/output.txt" >&2
    exit 1
  fi
  sleep 1 # let it finish painting
  file="$out/$position-${name// /-}.png"
  import -window root -crop "$geometry" +repage "$file"
  kill "$app_pid" && wait "$app_pid" 2>/dev/null || true
  app_pid=
  echo "$file"
done
