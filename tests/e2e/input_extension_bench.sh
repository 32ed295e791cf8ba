# kovractl input-extension on the demo fleet: the connections dialog of a kind 5 and a kind 7
# unit written with one settings message, logged by the unit and read back; a failing check
# and a host that would break the message send nothing.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
start_sim --demo
ctl() { "$KOVRA_BIN/kovractl" "$@"; }

# The settings messages a unit has logged, oldest first, as text (one JSON string a line).
messages() {
    python3 - "$SIM_LOG" "$1" <<'PY'
import json, sys
for line in open(sys.argv[1]):
    entry = json.loads(line)
    if entry.get("unit") == sys.argv[2] and entry.get("request") == "settings":
        print(json.dumps(bytes.fromhex(entry["hex"]).decode("cp932")))
PY
}
last_message() {
    messages "$1" | tail -1 | python3 -c 'import json, sys; print(json.loads(sys.stdin.read()), end="")'
}

# The demo units open with their configured connection 1 to each other.
[ "$(form_field input-extension 203.0.113.62 host1)" = "203.0.113.83" ]
[ "$(form_field input-extension 203.0.113.83 host1)" = "203.0.113.62" ]
[ "$(form_field input-extension 203.0.113.62 di2.ext)" = "do2" ]

# Kind 5, layout 1: connection 2, timing and mapping.
ctl --yes input-extension 203.0.113.62 port2=10005 host2=203.0.113.65 host-port2=10001 \
    discon=None notice=60sec di1.ext=do2 di2.ext=do1 do1.ext=none >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
last_message 203.0.113.62 >"$work/sent.txt"
grep -q "^HIP2" "$work/sent.txt" && grep -q "^DI2_EX" "$work/sent.txt" && grep -q "^DO2_EX" "$work/sent.txt"
expect_form_field input-extension 203.0.113.62 port2 10005
expect_form_field input-extension 203.0.113.62 host2 203.0.113.65
expect_form_field input-extension 203.0.113.62 host-port2 10001
expect_form_field input-extension 203.0.113.62 notice 60sec
expect_form_field input-extension 203.0.113.62 di1.ext do2
expect_form_field input-extension 203.0.113.62 do1.ext none
echo "kind 5: connections, timing and mapping written and read back"

# Kind 7 without DIs (model 4): connections only; clearing connection 1's destination.
ctl --yes input-extension 203.0.113.83 port2=10005 host2=203.0.113.65 host-port2=10001 host1= \
    mode=udp >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
! grep -q "_EX" <(last_message 203.0.113.83)
expect_form_field input-extension 203.0.113.83 host2 203.0.113.65
expect_form_field input-extension 203.0.113.83 host1 ""
expect_form_field input-extension 203.0.113.83 mode udp
echo "kind 7: connections and mode written and read back"

# A new connection-1 port moves the unit's command port: the next command reaches it there.
ctl --yes input-extension 203.0.113.62 port1=12000 >/dev/null
expect_form_field input-extension 203.0.113.62 port1 12000
echo "kind 5: port 1 moved and the unit answers on it"

# A failing check and a host that would break the message send nothing.
before=$(settings_count 203.0.113.62)
set +e
ctl --yes input-extension 203.0.113.62 port3=9999 2>"$work/err.txt"; status=$?
set -e
[ "$status" = 1 ] && grep -q "ポート番号は10000-65535の範囲で設定してください。" "$work/err.txt"
set +e
ctl --yes input-extension 203.0.113.62 "host3=$(printf 'a\tb')" 2>"$work/err.txt"; status=$?
set -e
[ "$status" = 2 ]
[ "$(settings_count 203.0.113.62)" = "$before" ]
echo "refusals: nothing sent"

# Kinds 3 and 6: connection 1 by WriteConnection (with E_RST on the kind 3 unit of sketch
# version 1.27), the timing by "NS" first. The new port 1 is the unit's command port after
# the restart: the reads that follow find it there.
for unit in 203.0.113.60 203.0.113.64; do
    ctl --yes input-extension "$unit" port1=10011 host1=203.0.113.62 host-port1=10001 \
        discon=None notice=30sec detect=9ms >"$work/out.txt" 2>&1
    grep -q "設定完了しました。" "$work/out.txt"
    last_message "$unit" >"$work/sent.txt"
    erst=""
    [ "$unit" = 203.0.113.60 ] && erst=$'E_RST\r\n0\r\n'
    printf 'PORT\r\n10011\r\nHIP\r\n203.0.113.62\r\nHPORT\r\n10001\r\n%sEND\r\n' "$erst" | cmp - "$work/sent.txt"
    expect_form_field input-extension "$unit" port1 10011
    expect_form_field input-extension "$unit" host1 203.0.113.62
    expect_form_field input-extension "$unit" host-port1 10001
    expect_form_field input-extension "$unit" notice 30sec
    expect_form_field input-extension "$unit" detect 9ms
    echo "kind $([ "$unit" = 203.0.113.60 ] && echo 3 || echo 6): connection 1 and timing written and read back on port 10011"
done

# The requests a unit has logged, oldest first, one name a line.
requests() {
    python3 - "$SIM_LOG" "$1" <<'PY'
import json, sys
for line in open(sys.argv[1]):
    entry = json.loads(line)
    if entry.get("unit") == sys.argv[2] and "request" in entry:
        print(entry["request"])
PY
}

# A binary unit of kind 1: its connections come from records 0, 3 and 7, read afresh before
# the dialog opens; OK writes the timing (disconnect "0ms" holds back the notification), then
# the three records in that order.
[ "$(form_field input-extension 203.0.113.94 multi)" = "on" ]
[ "$(form_field input-extension 203.0.113.94 host1)" = "203.0.113.95" ]
[ "$(form_field input-extension 203.0.113.94 request1)" = "on" ]
[ "$(form_field input-extension 203.0.113.94 port34)" = "10006" ]
ctl --yes input-extension 203.0.113.94 port2=10007 request2=on host2=203.0.113.95 host-port2=10002 \
    detect=9ms >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
requests 203.0.113.94 | grep -E '^(NS|write[0-9])$' | tail -5 | tr '\n' ' ' >"$work/order.txt"
[ "$(cat "$work/order.txt")" = "NS NS write0 write3 write7 " ]
expect_form_field input-extension 203.0.113.94 port2 10007
expect_form_field input-extension 203.0.113.94 request2 on
expect_form_field input-extension 203.0.113.94 host2 203.0.113.95
expect_form_field input-extension 203.0.113.94 host-port2 10002
expect_form_field input-extension 203.0.113.94 detect 9ms
expect_form_field input-extension 203.0.113.94 port34 10006
echo "kind 1: connections 2 and 3,4 and the timing written to records and read back"

# A partly filled address is refused before anything is written.
before=$(requests 203.0.113.94 | grep -c '^write' || true)
set +e
ctl --yes input-extension 203.0.113.94 host1=203.0.113 2>"$work/err.txt"; status=$?
set -e
[ "$status" = 1 ] && grep -q "IPアドレス設定エラー" "$work/err.txt"
[ "$(requests 203.0.113.94 | grep -c '^write' || true)" = "$before" ]
echo "kind 1: a partial address writes nothing"

# Kind 4: switching connections 2 to 4 off and moving the command port; the next command
# reaches the unit on the new port.
ctl --yes input-extension 203.0.113.95 port1=12001 request1=off >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
expect_form_field input-extension 203.0.113.95 port1 12001
expect_form_field input-extension 203.0.113.95 request1 off
ctl --yes input-extension 203.0.113.95 host-port1=10003 >/dev/null
expect_form_field input-extension 203.0.113.95 host-port1 10003
echo "kind 4: port 1 moved, the next command followed it"

# Kind 2: connection 1 from the module's tunnels, written by a tunnel import.
ctl --yes input-extension 203.0.113.70 request1=on host1=203.0.113.62 host-port1=10001 >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
expect_form_field input-extension 203.0.113.70 host1 203.0.113.62
expect_form_field input-extension 203.0.113.70 host-port1 10001
expect_form_field input-extension 203.0.113.70 request1 on
echo "kind 2: the module's tunnel written and read back"

# -WIFIMASK: the kind 3 model 5 unit from 1.19 shows the individual extension only with the
# option; its mask goes through accessor B and reads back.
[ -z "$(form_field input-extension 203.0.113.93 individual)" ]
"$KOVRA_BIN/kovractl" --wifi-mask input-extension 203.0.113.93 | grep -q '^individual: off'
"$KOVRA_BIN/kovractl" --yes --wifi-mask input-extension 203.0.113.93 individual=on di1.ext=on di3.ext=on \
    >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
for _ in $(seq 40); do
    "$KOVRA_BIN/kovractl" --wifi-mask input-extension 203.0.113.93 >"$work/fields.txt" 2>/dev/null || true
    grep -q '^di3.ext: on' "$work/fields.txt" && break
    sleep 0.25
done
grep -q '^individual: on' "$work/fields.txt" && grep -q '^di1.ext: on' "$work/fields.txt"
grep -q '^di2.ext: off' "$work/fields.txt" && grep -q '^di3.ext: on' "$work/fields.txt"
echo "-WIFIMASK: the individual extension written and read back, hidden without the option"
