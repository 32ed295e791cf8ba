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


# log_count UNIT NAME: how many requests NAME (or events NAME) the unit has logged.
log_count() {
    python3 - "$SIM_LOG" "$1" "$2" <<'PY'
import json, sys
print(sum(1 for line in open(sys.argv[1]) if line.strip()
          and (entry := json.loads(line)).get("unit") == sys.argv[2]
          and sys.argv[3] in (entry.get("request"), entry.get("event"))))
PY
}

# last_request_hex UNIT NAME: the bytes of the unit's last request NAME, as plain hex.
last_request_hex() {
    python3 - "$SIM_LOG" "$1" "$2" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1]) if l.strip()]
sent = [l for l in lines if l.get("unit") == sys.argv[2] and l.get("request") == sys.argv[3]]
print(bytes.fromhex(sent[-1]["hex"]).hex() if sent else "")
PY
}

# expect_test_mail UNIT ENTRY [ARGS...]: `kovractl --yes mail UNIT ARGS... --test ENTRY` says
# "テスト送信しました。", the unit logs a test mail naming ENTRY (0 for a one-account
# dialog), and it does not restart.
expect_test_mail() {
    local unit=$1 entry=$2
    shift 2
    local tests restarts said
    tests=$(log_count "$unit" mailTest)
    restarts=$(log_count "$unit" restart)
    said=$("$KOVRA_BIN/kovractl" --yes mail "$unit" "$@" --test "$((entry > 0 ? entry : 1))" 2>&1)
    grep -q "テスト送信しました。" <<<"$said" || { echo "$unit: $said" >&2; return 1; }
    for _ in $(seq 40); do
        [ "$(log_count "$unit" mailTest)" -gt "$tests" ] && break
        sleep 0.25
    done
    python3 - "$SIM_LOG" "$unit" "$entry" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1]) if l.strip()]
test = [l for l in lines if l.get("unit") == sys.argv[2] and l.get("request") == "mailTest"][-1]
assert test.get("entry") == int(sys.argv[3]) and "refused" not in test, test
PY
    # A restart would come as soon as the connection ended, before the unit answers a read.
    "$KOVRA_BIN/kovractl" mail "$unit" >/dev/null
    [ "$(log_count "$unit" restart)" = "$restarts" ] || { echo "$unit restarted after its test mail" >&2; return 1; }
}
