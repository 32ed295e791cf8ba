# kovractl search over a fleet of 45 wired units: every listed unit with its model text,
# kind, mask and gateway; the unlisted type pair never. Then add by address.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
python3 "$KOVRA_SRC/tests/e2e/lib/fleet40.py" fleet >"$work/fleet.json"
python3 "$KOVRA_SRC/tests/e2e/lib/fleet40.py" expected >"$work/expected.json"
start_sim --fleet "$work/fleet.json"

"$KOVRA_BIN/kovractl" --json search >"$work/rows.json"
"$KOVRA_BIN/kovractl" search >"$work/rows.txt"
"$KOVRA_BIN/kovractl" search --csv >"$work/rows.csv"
python3 - "$work/expected.json" "$work/rows.json" "$work/rows.txt" "$work/rows.csv" <<'PY'
import csv, json, sys
expected = json.load(open(sys.argv[1]))
rows = json.load(open(sys.argv[2]))
text = open(sys.argv[3]).read()
by_ip = {r["ip"]: r for r in rows}
assert len(by_ip) == len(rows), "a unit is listed twice"
problems = []
for e in expected:
    r = by_ip.get(e["ip"])
    if r is None:
        problems.append(f'{e["ip"]} missing')
        continue
    for key, value in e.items():
        if r.get(key) != value:
            problems.append(f'{e["ip"]} {key}: {r.get(key)!r}, expected {value!r}')
    assert r["mac"].count("-") == 5 and r["mac"] == r["mac"].upper(), r
    assert r["mac"] in text and r["model"] in text, r
extra = set(by_ip) - {e["ip"] for e in expected}
if extra:
    problems.append(f"unexpected rows {sorted(extra)}")
assert not problems, "\n".join(problems)
# The CSV export of a second search: the JSON keys as columns, the same units (rows come in
# arrival order, which differs between searches).
table = list(csv.DictReader(open(sys.argv[4], newline="")))
assert sorted(r["ip"] for r in table) == sorted(by_ip), "csv units differ from json units"
assert list(table[0].keys()) == list(rows[0].keys()), (list(table[0].keys()), list(rows[0].keys()))
assert all(t["model"] == by_ip[t["ip"]]["model"] and t["kind"] == str(by_ip[t["ip"]]["kind"]) for t in table)
print(f"search: {len(rows)} units as expected, csv alike")
PY

# Add by address: a unit on the subnet, one behind the other subnet, and a free address.
"$KOVRA_BIN/kovractl" --json add 203.0.113.13 >"$work/add.json"
python3 -c 'import json,sys; r=json.load(open(sys.argv[1])); assert len(r)==1 and r[0]["model"]=="QM-140" and r[0]["modelIndex"]==3, r' "$work/add.json"
"$KOVRA_BIN/kovractl" --json add 198.18.0.10 >"$work/add-far.json"
python3 -c 'import json,sys; r=json.load(open(sys.argv[1])); assert len(r)==1 and r[0]["model"]=="X1" and not r[0]["sameSubnet"], r' "$work/add-far.json"
set +e
"$KOVRA_BIN/kovractl" add 203.0.113.200 >/dev/null 2>"$work/add-free.err"
status=$?
set -e
[ "$status" -eq 1 ] && grep -q "追加できません" "$work/add-free.err"
echo "add: ok"

# The GUI's search over the same fleet shows the same rows.
KOVRA_EXPECTED_ROWS="$work/rows.json" QT_QPA_PLATFORM=offscreen \
    "$KOVRA_BIN/kovra_gui_tests" --gtest_filter='BenchMainWindow.*' --gtest_also_run_disabled_tests
