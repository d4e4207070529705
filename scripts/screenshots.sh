#!/bin/sh
# Takes the README's screenshots of the main window: tz7300-setup under a virtual display (Xvfb),
# connected to tz7300-sim on a pseudo-terminal, after the password, once in English and once in
# Japanese. Writes docs/screenshots/main-window-en.png and main-window-ja.png.
#
# Usage: scripts/screenshots.sh [BUILD_DIR]      (default: build; run from the repository's top)
# Needs: Xvfb (xvfb), xdotool, xwd (x11-apps), convert (imagemagick) and a Japanese font
# (fonts-noto-cjk or fonts-ipafont-gothic). On Debian:
#   apt-get install xvfb xdotool x11-apps imagemagick fonts-noto-cjk
set -u
build="${1:-build}"
setup="$build/src/ui/tz7300-setup"
sim="$build/src/platform/tz7300-sim"
out="docs/screenshots"
width=1024
height=900

for tool in Xvfb xdotool xwd convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "screenshots: $tool is needed (see the head of $0)" >&2
    exit 1
  fi
done
for program in "$setup" "$sim"; do
  if [ ! -x "$program" ]; then
    echo "screenshots: $program was not built" >&2
    exit 1
  fi
done
mkdir -p "$out"

work="$(mktemp -d "${TMPDIR:-/tmp}/tz7300-shots.XXXXXX")"
xvfb_pid=""
sim_pid=""
setup_pid=""
stop_pid() {
  if [ -n "$1" ]; then
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
  fi
}
cleanup() {
  stop_pid "$setup_pid"
  stop_pid "$sim_pid"
  stop_pid "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
  echo "screenshots: $*" >&2
  exit 1
}

# Waits up to $1 tenths of a second for the command in the remaining arguments to succeed.
wait_for() {
  tries="$1"
  shift
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# A display number that no other X server holds.
display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 "${width}x${height}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
wait_for 100 xdotool getmouselocation || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

"$sim" --link "$work/tty" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
wait_for 100 test -s "$work/sim.out" || fail "tz7300-sim did not start: $(cat "$work/sim.err")"

# The program's visible windows, one id a line.
windows() { xdotool search --onlyvisible --pid "$setup_pid" 2>/dev/null; }
# The first visible window whose title holds "P.No." ($1 = 1) or does not ($1 = 0), other than $2.
window_titled() {
  for id in $(windows); do
    [ "$id" = "${2:-}" ] && continue
    case "$(xdotool getwindowname "$id" 2>/dev/null)" in
      *P.No.*) [ "$1" = 1 ] && { echo "$id"; return 0; } ;;
      ?*) [ "$1" = 0 ] && { echo "$id"; return 0; } ;;
    esac
  done
  return 1
}

shoot() {
  language="$1"
  locale="$2"
  # A fresh program folder (the executable's own) and log folder, so nothing of an earlier run
  # or of the build tree is read or written.
  run="$work/$language"
  mkdir -p "$run/bin" "$run/runtime"
  chmod 700 "$run/runtime"
  cp "$setup" "$run/bin/tz7300-setup"
  (cd "$run" && LANG="$locale" LC_ALL="$locale" XDG_RUNTIME_DIR="$run/runtime" \
    exec "$run/bin/tz7300-setup" --port "$work/tty") >"$run/setup.log" 2>&1 &
  setup_pid=$!

  # The splash comes first and goes by itself; the password window is the next one.
  wait_for 100 window_titled 0 || fail "no window of tz7300-setup ($language): $(cat "$run/setup.log")"
  splash="$(window_titled 0)"
  wait_for 100 window_titled 0 "$splash" || fail "no password window ($language)"
  password="$(window_titled 0 "$splash")"
  xdotool windowfocus --sync "$password"
  xdotool type --delay 50 8640
  xdotool key Return

  wait_for 100 window_titled 1 || fail "no main window after the password ($language)"
  main="$(window_titled 1)"
  # The connection with the simulated instrument: its pane line and lamps.
  wait_for 100 grep -q "RC,R" "$run/SerialLog.log" || fail "no traffic with tz7300-sim ($language)"
  sleep 3
  xwd -silent -id "$main" | convert xwd:- "$out/main-window-$language.png" ||
    fail "the screenshot could not be taken ($language)"
  echo "screenshots: $out/main-window-$language.png"
  stop_pid "$setup_pid"
  setup_pid=""
}

shoot en en_US.UTF-8
shoot ja ja_JP.UTF-8
