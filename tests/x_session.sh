# Shared by the scripts that drive the real window under Xvfb: a private X
# server on a free display and a way to find the visible main window. Source
# it; start_x_session sets DISPLAY and XDG_RUNTIME_DIR, and the caller runs
# stop_x_session on its way out (an EXIT trap).

# Starts Xvfb in the folder $1 (kept for its log) and waits until it serves.
# -noreset: by default the server resets when its last client leaves, and a
# client connecting during that reset is turned away.
start_x_session() {
  local dir=$1
  for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null ||
      { echo "$tool is missing: run scripts/install-deps" >&2; return 1; }
  done
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$dir/display" 2>"$dir/xvfb.log" &
  X_SERVER_PID=$!
  local tries
  for ((tries = 0; tries < 100; ++tries)); do
    [[ -s $dir/display ]] && break
    sleep 0.1
  done
  [[ -s $dir/display ]] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$dir/display")"
  export XDG_RUNTIME_DIR=$dir
}

stop_x_session() {
  if [[ -n ${APP_PID:-} ]]; then kill "$APP_PID" 2>/dev/null || true; fi
  if [[ -n ${X_SERVER_PID:-} ]]; then kill "$X_SERVER_PID" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}

# Prints the id of the visible window whose title matches $1, waiting at most
# $2 seconds (default 20); fails when none shows up.
find_window() {
  local pattern=$1 seconds=${2:-20} id tries
  for ((tries = 0; tries < seconds * 20; ++tries)); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)
    if [[ -n $id ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.05
  done
  echo "no visible window named like '$pattern'" >&2
  return 1
}

# Starts a copy of the program $1 in the folder $2, so that the files it
# keeps beside itself are the session's own, and waits for its main window.
# Sets APP_PID and WINDOW.
start_window() {
  cp "$1" "$2/quillmark"
  (cd "$2" && exec timeout 120 ./quillmark) &
  APP_PID=$!
  WINDOW=$(find_window '^Quillmark ver\. 1\.2$')
}

# Puts $1 on the clipboard and waits until xclip, which serves it from a
# child it forks, does.
put_on_clipboard() {
  local text=$1 tries
  printf '%s' "$text" | timeout 5 xclip -selection clipboard -i
  for ((tries = 0; tries < 50; ++tries)); do
    [[ $(timeout 5 xclip -selection clipboard -o 2>/dev/null) == "${text%$'\n'}" ]] && return 0
    sleep 0.1
  done
  echo "xclip did not take the clipboard" >&2
  return 1
}

# Waits for the chart in the focused window and prints it as Alt+O copies
# it, without CRs. The chart comes 2 seconds after the last key released in
# the grid, which holds the focus, and every Alt+O starts that count again:
# the presses keep 3 seconds apart. Fails when no chart comes.
copy_rendered_chart() {
  local tries chart
  for ((tries = 0; tries < 10; ++tries)); do
    sleep 3
    xdotool key alt+o
    sleep 0.3
    chart=$(timeout 5 xclip -selection clipboard -o 2>/dev/null | tr -d '\r' || true)
    if [[ -n $chart ]]; then
      printf '%s\n' "$chart"
      return 0
    fi
  done
  echo "no chart was copied" >&2
  return 1
}
