# A virtual X server for the scripts that take pictures of the window. Sourced after $work is
# set; start_screen SIZE makes the server and points DISPLAY at it, stop_screen ends the window
# program ($app_pid) and the server.
server_pid=""
app_pid=""
stop_screen() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  [ -n "$app_pid" ] && wait "$app_pid" 2>/dev/null || true
  [ -n "$server_pid" ] && wait "$server_pid" 2>/dev/null || true
  app_pid=""
  server_pid=""
}

start_screen() {
  rm -f "$work/display"
  # The server picks a display number nobody uses and writes it to the file.
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  server_pid=$!
  for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(cat "$work/display")"
  export QT_QPA_PLATFORM=xcb
  for _ in $(seq 50); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.1
  done
}
