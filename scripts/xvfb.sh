# Sourced: starts a virtual display of our own and exports DISPLAY. The
# caller ends it, and every Wine process of the prefix, with qlm_end_session
# (the scripts do it on exit).
qlm_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    QLM_XVFB_PID=$!
    for _ in $(seq 1 50); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$QLM_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "xvfb: no virtual display could be started" >&2
  return 1
}

qlm_stop_xvfb() {
  if [ -n "${QLM_XVFB_PID:-}" ]; then
    kill "$QLM_XVFB_PID" 2>/dev/null || true
    wait "$QLM_XVFB_PID" 2>/dev/null || true
    QLM_XVFB_PID=
  fi
}

qlm_end_session() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  qlm_stop_xvfb
}
