# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the checks that run kr4100-sim ($sim): start_sim LOG OPTIONS... starts a virtual
# radio and sets sim_device to its pseudo-terminal and sim_pid; stop_sim ends it.
start_sim() {
  local log=$1
  shift
  "$sim" "$@" >"$log" 2>&1 &
  sim_pid=$!
  sim_device=""
  for _ in $(seq 100); do
    sim_device=$(head -n 1 "$log" 2>/dev/null || true)
    [ -n "$sim_device" ] && return 0
    sleep 0.05
  done
  echo "kr4100-sim $* did not start: $(cat "$log")"
  exit 1
}
stop_sim() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
}
