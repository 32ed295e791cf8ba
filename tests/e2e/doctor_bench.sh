# kovractl doctor over a fleet with one unit for each thing it diagnoses: it names each of
# them exactly, in text and in --json.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
start_sim --fleet "$KOVRA_SRC/tests/e2e/lib/doctor_fleet.json"

"$KOVRA_BIN/kovractl" doctor >"$work/report.txt"
"$KOVRA_BIN/kovractl" --json doctor >"$work/report.json"

expect_line() {
    grep -qxF -- "$1" "$work/report.txt" || { echo "missing: $1" >&2; cat "$work/report.txt" >&2; return 1; }
}
expect_line "Adapter: 203.0.113.1 (kpc0), 203.0.113.1 mask 255.255.255.0, up"
expect_line "Discovery socket: bound"
expect_line "Search requests: sent to 255.255.255.255:30718"
expect_line "  203.0.113.11:30718  30 bytes  02-4B-56-00-71-0B  ZZ  unlisted type pair"
expect_line "  203.0.113.12:30718  15 bytes  -  X1  answer too short"
expect_line "  203.0.113.17:30718  30 bytes  02-4B-56-00-71-11  X1  duplicate"
expect_line "Address conflicts: 1"
expect_line "  203.0.113.13 answered from 02-4B-56-00-71-0D, 02-4B-56-AA-BB-CC"
expect_line "Units the search does not list: 2"
expect_line "  198.18.0.10 (02-4B-56-12-00-0A, X1): other subnet: add it by address (kovractl add 198.18.0.10), or set its address into the adapter's subnet (kovractl set-address)"
expect_line "  203.0.113.14 (02-4B-56-00-71-0E, X1): other port 10002: search with port 10002 (kovractl --port 10002 search)"
expect_line "Model queries failed: 3"
expect_line "  203.0.113.15:10001 (02-4B-56-00-71-0F): time-out (result 10060)"
expect_line "  203.0.113.16:10001 (02-4B-56-00-71-10): refused (result 10061)"
expect_line "  203.0.113.18:10001 (02-4B-56-00-71-12): bad answer (result 1)"
echo "doctor text: ok"

python3 - "$work/report.json" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))
assert r["adapter"]["address"] == "203.0.113.1" and r["adapter"]["usable"], r["adapter"]
assert r["socketBound"] and r["searchRequests"]["sent"], r
verdicts = {}
for a in r["answers"]:
    verdicts.setdefault(a["source"], []).append(a["verdict"])
want = {
    "203.0.113.10": ["listed"],
    "203.0.113.11": ["unlisted type pair"],
    "203.0.113.12": ["answer too short"],
    "203.0.113.13": ["listed", "listed"],
    "203.0.113.17": ["listed", "duplicate"],
}
for source, expected in want.items():
    assert sorted(verdicts.get(source, [])) == sorted(expected), (source, verdicts.get(source))
assert r["conflicts"] == [{"address": "203.0.113.13", "macs": ["02-4B-56-00-71-0D", "02-4B-56-AA-BB-CC"]}], r["conflicts"]
units = {u["address"]: u for u in r["units"] if u["mac"] != "02-4B-56-AA-BB-CC"}
assert units["198.18.0.10"]["reach"] == "other subnet" and not units["198.18.0.10"]["sameSubnet"]
assert units["203.0.113.14"]["reach"] == "other port" and units["203.0.113.14"]["port"] == 10002
assert units["203.0.113.14"]["advice"].startswith("search with port 10002")
queries = {ip: u["modelQuery"] for ip, u in units.items()}
assert queries["203.0.113.15"] == "time-out" and queries["203.0.113.16"] == "refused", queries
assert queries["203.0.113.18"] == "bad answer" and queries["203.0.113.10"] == "ok", queries
assert queries["198.18.0.10"] == "not queried", queries
print("doctor json: ok")
PY

# The device list flags the two units that answer with one address, and only them.
"$KOVRA_BIN/kovractl" --json search >"$work/rows.json" 2>/dev/null || true
python3 - "$work/rows.json" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))
flagged = sorted((r["ip"], r["mac"]) for r in rows if r["addressConflict"])
assert flagged == [("203.0.113.13", "02-4B-56-00-71-0D"), ("203.0.113.13", "02-4B-56-AA-BB-CC")], flagged
print("search: the address conflict is flagged on both rows")
PY
