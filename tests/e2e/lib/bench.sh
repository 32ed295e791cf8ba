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

# form_field COMMAND UNIT FIELD: one field of the unit's setting dialog as kovractl loads it
# (COMMAND is mail, input-extension or other; passwords in clear).
form_field() {
    "$KOVRA_BIN/kovractl" "$1" --show-secrets "$2" | sed -n "s/^$3: //p"
}

# expect_form_field COMMAND UNIT FIELD WANT: asks until the unit, back from the restart a
# write causes, shows WANT; fails after about 10 s.
expect_form_field() {
    local got=""
    for _ in $(seq 40); do
        got=$(form_field "$1" "$2" "$3" 2>/dev/null || true)
        [ "$got" = "$4" ] && return 0
        sleep 0.25
    done
    echo "$2 $3: '$got', expected '$4'" >&2
    return 1
}

# settings_count UNIT: how many settings messages the unit has logged.
settings_count() {
    python3 - "$SIM_LOG" "$1" <<'PY'
import json, sys
print(sum(1 for line in open(sys.argv[1]) if line.strip()
          and (entry := json.loads(line)).get("unit") == sys.argv[2] and entry.get("request") == "settings"))
PY
}

