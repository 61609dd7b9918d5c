#!/usr/bin/env bash
# Starts the desktop program from a build folder (default: build). Without a display the program
# says so and shows how to run it under a virtual display (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
exec "$build/src/app/quorvan_16"
