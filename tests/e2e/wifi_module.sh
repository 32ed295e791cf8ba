# Units behind a Wi-Fi module (kind 2) on the bench: kovractl search lists them with the port,
# address, mask and gateway their module's web configuration holds (read over HTTP with
# digest on port 80), and a module that takes the connection but never answers is dropped
# once the export's time-out has passed.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
cat >"$work/fleet.json" <<'JSON'
{ "units": [
  { "name": "static", "kind": 2, "address": "203.0.113.61", "model": 2, "mask": "255.255.255.128",
    "gateway": "203.0.113.1" },
  { "name": "dhcp", "kind": 2, "address": "203.0.113.62", "model": 3, "dhcp": true },
  { "name": "wired", "kind": 0, "typePair": "X1", "address": "203.0.113.64", "model": 1 }
] }
JSON
start_sim --fleet "$work/fleet.json"

"$KOVRA_BIN/kovractl" --json search >"$work/rows.json"
python3 - "$work/rows.json" <<'PY'
import json, sys
rows = {r["ip"]: r for r in json.load(open(sys.argv[1]))}
expected = {
    "203.0.113.61": dict(kind=2, port=10001, dhcp=False, subnetMask="255.255.255.128", gateway="203.0.113.1",
                         typePair="Y1", modelIndex=2),
    "203.0.113.62": dict(kind=2, port=10001, dhcp=True, subnetMask="255.255.255.0", gateway="0.0.0.0",
                         typePair="Y1", modelIndex=3),
    "203.0.113.64": dict(kind=0),
}
problems = []
for ip, want in expected.items():
    row = rows.get(ip)
    if row is None:
        problems.append(f"{ip} missing")
        continue
    for key, value in want.items():
        if row.get(key) != value:
            problems.append(f"{ip} {key}: {row.get(key)!r}, expected {value!r}")
assert set(rows) == set(expected), sorted(rows)
assert not problems, "\n".join(problems)
print("search: kind 2 units listed with their module's settings")
PY
grep -q '"request":"export"' "$SIM_LOG"
kill "$SIM_PID"; wait "$SIM_PID" 2>/dev/null || true

# A module that accepts the connection and never answers its export: the read gives up
# after the export's 10 s time-out and the unit cannot be added.
cat >"$work/silent.json" <<'JSON'
{ "units": [
  { "name": "silent", "kind": 2, "address": "203.0.113.63", "model": 2,
    "fault": { "mode": "silent", "requests": ["export"] } }
] }
JSON
start_sim --fleet "$work/silent.json"
start=$(date +%s.%N)
set +e
"$KOVRA_BIN/kovractl" add 203.0.113.63 >/dev/null 2>"$work/add.err"
status=$?
set -e
elapsed=$(python3 -c "import sys; print(round($(date +%s.%N) - $start, 1))")
echo "silent module: add ended with status $status after ${elapsed}s"
[ "$status" -eq 1 ] && grep -q "追加できません" "$work/add.err"
python3 -c "import sys; e=float(sys.argv[1]); assert 9.5 <= e <= 14, e" "$elapsed"
grep -q '"request":"export"' "$SIM_LOG"
echo "wifi module: ok"
