#!/bin/sh
# Rewrites the seed corpora (fuzz/corpus) from the program's writers and the simulated instrument.
# Usage: fuzz/make-seeds.sh [BUILD_FOLDER]   (default: build; builds tz_fuzz_seeds there)
set -e
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" --target tz_fuzz_seeds
"$build/fuzz/tz_fuzz_seeds" fuzz/corpus
