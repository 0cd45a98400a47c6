#!/usr/bin/env bash
# Drives the real window under a private Xvfb, the way a user does: a table
# goes on the X clipboard, Alt+P pastes it, and after the render Alt+O copies
# the chart back; it must equal quillmark-chart's chart of the same table.
# Alt+E then closes the program, which must end with status 0.
#
# Usage: window_e2e_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
source "$here/x_session.sh"
cleanup() { stop_x_session; rm -rf "$work"; }
trap cleanup EXIT

start_x_session "$work"

table=$'Tokyo,12.5\n大阪,7\nNagoya,-3\n"New York",4.25\n'
printf '%s' "$table" | "$build/quillmark-chart" | tr -d '\r' >"$work/expected"
[[ -s $work/expected ]] || { echo "quillmark-chart gave no chart" >&2; exit 1; }

start_window "$build/quillmark" "$work"
xdotool windowfocus --sync "$WINDOW"

put_on_clipboard "$table"
xdotool key alt+p
copy_rendered_chart >"$work/copied"
if ! diff -u "$work/expected" "$work/copied"; then
  echo "the copied chart differs from quillmark-chart's" >&2
  exit 1
fi

xdotool key alt+e
status=0
wait "$APP_PID" || status=$?
APP_PID=
if ((status != 0)); then
  echo "quillmark ended with status $status" >&2
  exit 1
fi
echo "window end-to-end: chart copied as quillmark-chart draws it"
