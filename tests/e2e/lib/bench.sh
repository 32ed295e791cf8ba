# Helpers for the e2e scripts; they run inside scripts/netbench.
# start_sim FLEET_ARGS...: starts kovra-sim on the units side and waits until it is ready.
start_sim() {
    SIM_LOG=$(mktemp /tmp/kovra-e2e-sim.XXXXXX.log)
    "$KOVRA_UNITS_EXEC" "$KOVRA_BIN/kovra-sim" "$@" --iface "$KOVRA_UNITS_IF" --log "$SIM_LOG" &
    SIM_PID=$!
    for _ in $(seq 200); do
        grep -q '"event":"ready"' "$SIM_LOG" 2>/dev/null && return 0
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "kovra-sim did not start:" >&2
    cat "$SIM_LOG" >&2
    return 1
}
