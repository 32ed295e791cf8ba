# kovractl search over a fleet that loses datagrams and holds units that cannot be read:
# units that lost one answer are listed all the same, the unreadable ones are named on stderr
# (one JSON object with --json) and the exit status says the list is short.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
cat >"$work/fleet.json" <<'JSON'
{ "units": [
  { "address": "203.0.113.21", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["record0"] } },
  { "address": "203.0.113.22", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["record5"] } },
  { "address": "203.0.113.23", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["search"] } },
  { "address": "203.0.113.24", "kind": 3, "model": 1, "fault": { "mode": "silent", "times": 1, "requests": ["VER"] } },
  { "address": "203.0.113.25", "kind": 5, "model": 25 },
  { "address": "203.0.113.26", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["record6"] } },
  { "address": "203.0.113.31", "kind": 0, "model": 3, "fault": { "mode": "silent", "requests": ["record0"] } },
  { "address": "203.0.113.32", "kind": 3, "model": 1, "fault": { "mode": "refuse" } }
] }
JSON
start_sim --fleet "$work/fleet.json"

status=0
"$KOVRA_BIN/kovractl" --json search >"$work/rows.json" 2>"$work/err.txt" || status=$?
python3 - "$status" "$work/rows.json" "$work/err.txt" <<'PY'
import json, sys
status, rows, err = int(sys.argv[1]), json.load(open(sys.argv[2])), open(sys.argv[3]).read()
listed = sorted(r["ip"] for r in rows)
want = ["203.0.113.21", "203.0.113.22", "203.0.113.23", "203.0.113.24", "203.0.113.25", "203.0.113.26"]
assert listed == want, f"listed {listed}, expected {want}"
warning = json.loads(err.strip().splitlines()[-1])
assert warning["unlisted"] == 2, warning
assert sorted(warning["addresses"]) == ["203.0.113.31", "203.0.113.32"], warning
assert status == 3, f"exit status {status}"
print(f"search: {len(rows)} units listed, {warning['unlisted']} named as unlisted")
PY

status=0
"$KOVRA_BIN/kovractl" search >/dev/null 2>"$work/err.txt" || status=$?
grep -q "could not be listed: .*203.0.113.3[12]" "$work/err.txt"
[ "$status" -eq 3 ]
