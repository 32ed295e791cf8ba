# kovractl pairs on a fleet with deliberately broken input-extension links: every fault is
# named on its own link, the good links say ok, and nothing else is listed; --json says the
# same; the exit status tells a faulty fleet from a sound one.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
start_sim --fleet "$KOVRA_SRC/tests/e2e/fleets/pairs.json"

# Each link as "unit connection peer verdict", as the table prints it and as --json gives it:
# the text kinds from what the search read, the binary kinds (.120-.124) from their records,
# the Wi-Fi module unit (.130) from its tunnel, which is off.
expected="203.0.113.101 1 203.0.113.102:10001 ok
203.0.113.102 1 203.0.113.101:10001 ok
203.0.113.103 1 203.0.113.104:10001 ok
203.0.113.104 1 203.0.113.103:10001 ok
203.0.113.105 1 203.0.113.106:10002 ok
203.0.113.107 1 203.0.113.199:10001 peer missing
203.0.113.108 2 203.0.113.109:10005 peer not listening on that port
203.0.113.110 1 203.0.113.111:10001 mapping clash (DO1)
203.0.113.112 1 203.0.113.113:10001 mode mismatch
203.0.113.115 3 203.0.113.114:10001 duplicate listening ports
203.0.113.116 1 203.0.113.117:10001 mapping clash (DO2)
203.0.113.120 1 203.0.113.121:10001 ok
203.0.113.121 1 203.0.113.120:10001 ok
203.0.113.122 2 203.0.113.123:10020 ok
203.0.113.124 1 203.0.113.120:10002 peer not listening on that port"

set +e
"$KOVRA_BIN/kovractl" pairs >"$work/table.txt"; status=$?
set -e
[ "$status" = 3 ] || { echo "exit $status, expected 3" >&2; exit 1; }
got=$(tail -n +2 "$work/table.txt" | awk '{ line = $1 " " $2 " " $3; sub(/.*  /, ""); print line " " $0 }')
diff <(echo "$expected") <(echo "$got")
echo "table: each fault on its link, nothing else"

set +e
"$KOVRA_BIN/kovractl" pairs --json >"$work/pairs.json"; status=$?
set -e
[ "$status" = 3 ]
got=$(python3 - "$work/pairs.json" <<'PY'
import json, sys
for link in json.load(open(sys.argv[1])):
    print(link["unit"], link["connection"], "%s:%d" % (link["host"], link["port"]), link["verdict"])
PY
)
diff <(echo "$expected") <(echo "$got")
python3 - "$work/pairs.json" <<'PY'
import json, sys
links = {(l["unit"], l["connection"]): l for l in json.load(open(sys.argv[1]))}
clash = links[("203.0.113.110", 1)]
assert clash["faults"] == ["mapping clash"] and clash["clashedOutputs"] == [1], clash
assert clash["mapping"] == [{"di": 1, "do": 1}, {"di": 2, "do": 1}], clash["mapping"]
assert links[("203.0.113.107", 1)]["peer"] is None
assert [p["port"] for p in links[("203.0.113.115", 3)]["peer"]["ports"]] == [10001, 10001, 10003, 10004]
assert all(l["faults"] == [] for l in links.values() if l["verdict"] == "ok")
# The binary units' connections come from their stored records: connection 3,4 waits too.
assert links[("203.0.113.122", 2)]["peer"]["ports"] == [{"connection": 1, "port": 10001},
                                                        {"connection": 3, "port": 10020}]
PY
echo "json: the same links, faults and peers"

# A Wi-Fi module unit's link is its module's outgoing tunnel: none at first, then the one
# the input-extension dialog writes.
"$KOVRA_BIN/kovractl" --yes input-extension 203.0.113.130 request1=on host1=203.0.113.109 \
    host-port1=10001 >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
for _ in $(seq 40); do
    set +e
    "$KOVRA_BIN/kovractl" pairs >"$work/table.txt" 2>"$work/err.txt"
    set -e
    grep -q "^203.0.113.130 " "$work/table.txt" && ! grep -q "203.0.113.130" "$work/err.txt" && break
    sleep 0.25
done
got=$(tail -n +2 "$work/table.txt" | awk '{ line = $1 " " $2 " " $3; sub(/.*  /, ""); print line " " $0 }')
diff <(printf '%s\n203.0.113.130 1 203.0.113.109:10001 ok\n' "$expected") <(echo "$got")
echo "kind 2: the module's tunnel is its link"

# The sound part of the fleet alone: every link ok, exit 0.
kill "$SIM_PID"; wait "$SIM_PID" 2>/dev/null || true
python3 - "$KOVRA_SRC/tests/e2e/fleets/pairs.json" >"$work/sound.json" <<'PY'
import json, sys
fleet = json.load(open(sys.argv[1]))
fleet["units"] = fleet["units"][:6]
print(json.dumps(fleet))
PY
start_sim --fleet "$work/sound.json"
"$KOVRA_BIN/kovractl" pairs >"$work/sound.txt"
[ "$(tail -n +2 "$work/sound.txt" | grep -c ' ok$')" = 5 ]
echo "sound fleet: five links ok, exit 0"
