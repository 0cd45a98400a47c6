#!/usr/bin/env bash
# Measures, under a private Xvfb, the time from starting the window program
# to its main window being visible, over several starts. A measurement, not
# a test: it prints the times and their median.
#
# Usage: tests/startup_time.sh [BUILD_DIR [STARTS]]   (default: build, 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
starts=${2:-10}
work=$(mktemp -d)
source "$root/tests/x_session.sh"
cleanup() { stop_x_session; rm -rf "$work"; }
trap cleanup EXIT

start_x_session "$work"
cp "$build/quillmark" "$work/quillmark"
times=()
for ((run = 0; run < starts; ++run)); do
  begin=$EPOCHREALTIME
  (cd "$work" && exec timeout 60 ./quillmark) &
  APP_PID=$!
  find_window '^Quillmark ver\. 1\.2$' >/dev/null
  end=$EPOCHREALTIME
  times+=("$(( (${end/./} - ${begin/./}) / 1000 ))")
  kill "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start to visible window, ms: ${times[*]}"
echo "median: ${sorted[$(( starts / 2 ))]} ms"
