#!/usr/bin/env bash
# Drives the real window under a private Xvfb, the way a user does. The
# program starts with a settings file (code page 932) beside it, and after the
# first render Alt+O copies the restored chart; then a table goes on the X
# clipboard, Alt+P pastes it and Alt+O copies its chart. Each must equal
# quillmark-chart's chart of the same table and options. Alt+E closes the
# program, which must end with status 0 and leave the new table and the
# options in the settings file; a second start draws the pasted table again.
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

settings=$work/quillmark.INI
# The options the settings file restores: width 40, the unit written.
options=(--width 40 --with-unit)

# Prints quillmark-chart's chart of the table $1, without CRs.
expected_chart() {
  printf '%s' "$1" | "$build/quillmark-chart" "${options[@]}" | tr -d '\r'
}

# Copies the chart the window shows and compares it with $1's chart.
check_copied_chart() {
  expected_chart "$1" >"$work/expected"
  [[ -s $work/expected ]] || { echo "quillmark-chart gave no chart" >&2; exit 1; }
  copy_rendered_chart >"$work/copied"
  if ! diff -u "$work/expected" "$work/copied"; then
    echo "$2: the copied chart differs from quillmark-chart's" >&2
    exit 1
  fi
}

close_window() {
  xdotool key alt+e
  local status=0
  wait "$APP_PID" || status=$?
  APP_PID=
  if ((status != 0)); then
    echo "quillmark ended with status $status" >&2
    exit 1
  fi
}

printf '%s\r\n' '[Table]' '1,0=Tokyo' '1,1=12.5' '2,0=大阪' '2,1=7' \
  '3,0=Nagoya' '3,1=-3' '[Setting]' '単位も記入=1' '幅（半角文字数）：=40' |
  iconv -f UTF-8 -t CP932 >"$settings"
restored=$'Tokyo,12.5\n大阪,7\nNagoya,-3\n'

start_window "$build/quillmark" "$work"
xdotool windowfocus --sync "$WINDOW"
check_copied_chart "$restored" "restored table"

table=$'Kyoto,5\n札幌,9\n"New York",4.25\n'
put_on_clipboard "$table"
xdotool key alt+p
check_copied_chart "$table" "pasted table"
close_window

iconv -f CP932 -t UTF-8 "$settings" | tr -d '\r' >"$work/saved"
for line in '1,0=Kyoto' '1,1=5' '2,0=札幌' '2,1=9' '3,0=New York' '3,1=4.25' \
  '4,0=' '4,1=0' '50,0=' '50,1=0' '棒の素材となる文字（半角）：=_' '数値も記入=1' \
  '単位も記入=1' 'HTML形式でクリップボード出力=0' 'Unit=%' \
  'メーラーの折り返し幅に合わせる（自動）=1' '幅（半角文字数）：=40' \
  'FontSize=10' 'Scale=1'; do
  if ! grep -qxF -- "$line" "$work/saved"; then
    echo "the saved settings lack the line '$line':" >&2
    cat "$work/saved" >&2
    exit 1
  fi
done
entries=$(grep -c '=' "$work/saved")
if ((entries != 110)); then
  echo "the saved settings hold $entries entries, not 110" >&2
  exit 1
fi

start_window "$build/quillmark" "$work"
xdotool windowfocus --sync "$WINDOW"
check_copied_chart "$table" "table after a restart"
close_window
echo "window end-to-end: settings restored and saved, charts copied as quillmark-chart draws them"
