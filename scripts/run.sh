#!/usr/bin/env bash
# Installs what is missing, builds, makes sure a server answers on 127.0.0.1:1433 (starting a
# local tdslite if none does) and starts ScoreSetup.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/install-deps.sh"
"$here/build.sh"
build=${BUILD_DIR:-$here/../build}

if ! (exec 3<>/dev/tcp/127.0.0.1/1433) 2>/dev/null; then
  echo "no server on 127.0.0.1:1433; starting tdslite (data in ${XDG_DATA_HOME:-$HOME/.local/share}/tdslite)"
  "$build/tdslite/src/protocol/tdslite" &
  tdslite_pid=$!
  trap 'kill $tdslite_pid 2>/dev/null || true' EXIT
  for _ in $(seq 50); do (exec 3<>/dev/tcp/127.0.0.1/1433) 2>/dev/null && break; sleep 0.1; done
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "no display; starting Xvfb on :99 (DISPLAY=:99)"
  Xvfb :99 -screen 0 1024x768x24 &
  xvfb_pid=$!
  trap 'kill ${tdslite_pid:-} $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=:99
  sleep 1
fi
"$build/app/ScoreSetup"
