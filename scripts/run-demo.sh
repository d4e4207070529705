#!/bin/sh
# The program's main job against the simulated instrument: start tz7300-sim on a pseudo-terminal,
# then the desktop program connected to it when a display is available (the simulator stops when
# its window closes), else read the whole instrument with `tz7300 info`.
set -u
build="${1:-build}"
cli="$build/src/cli/tz7300"
sim="$build/src/platform/tz7300-sim"
for program in "$cli" "$sim"; do
  if [ ! -x "$program" ]; then
    echo "run-demo: $program was not built (Qt 6 Core and SerialPort are needed)" >&2
    exit 1
  fi
done

work="$(mktemp -d "${TMPDIR:-/tmp}/tz7300-demo.XXXXXX")"
sim_pid=""
stop() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

"$sim" --link "$work/tty" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
# The simulator prints its device once it serves it.
tries=0
while [ ! -s "$work/sim.out" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$sim_pid" 2>/dev/null; then
    echo "run-demo: the simulated instrument did not start" >&2
    cat "$work/sim.err" >&2
    exit 1
  fi
  sleep 0.1
done

setup="$build/src/ui/tz7300-setup"
if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && [ -x "$setup" ]; then
  echo "Simulated TZ-7300 on $(head -n 1 "$work/sim.out"); starting tz7300-setup --port $work/tty"
  echo "The program password is 8640."
  "$setup" --port "$work/tty"
  exit $?
fi
echo "run-demo: no display available, so the desktop program is not started; reading with the command line instead"

echo "Simulated TZ-7300 on $(head -n 1 "$work/sim.out"); reading it with: tz7300 --port $work/tty info"
echo
"$cli" --port "$work/tty" --log-dir "$work" info
status=$?
exit "$status"
