#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (offscreen, each in its own temp dir).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/install-deps.sh"
"$here/build.sh"
build=${BUILD_DIR:-$here/../build}
cd "$build"
QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure --timeout 600
