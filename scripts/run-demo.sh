#!/bin/sh
# The program's main job against the simulated instrument. Until the command-line front end and
# the simulated instrument's executable exist, this says so plainly.
build="${1:-build}"
if [ -x "$build/src/cli/tz7300" ] && [ -x "$build/src/sim/tz7300-sim" ]; then
  echo "demo: not wired yet" >&2
  exit 1
fi
echo "TZ-7300 Setup: the core library and its tests are built."
echo "The first runnable front end (the tz7300 command line reading the simulated instrument)"
echo "arrives with a later step; until then 'make test' is the thing to run."
