#!/usr/bin/env bash
# Starts the program from a build folder (default: build). Until the desktop program is built,
# recalculates the sample return with the command-line tool and prints it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

"$build/src/cli/quorvan_16-calc" --dump examples/sample-trust.fq6
