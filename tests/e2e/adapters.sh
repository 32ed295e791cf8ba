# kovractl adapters on the bench: the PC's veth end is listed with its address and mask;
# loopback (no hardware address, 127.0.0.1) never is.
set -euo pipefail
json=$("$KOVRA_BIN/kovractl" --json adapters)
text=$("$KOVRA_BIN/kovractl" adapters)
echo "$text"
python3 - "$json" <<'PY'
import json, os, sys
adapters = json.loads(sys.argv[1])
pc = os.environ["KOVRA_PC_ADDR"]
mine = [a for a in adapters if a["address"] == pc]
assert len(mine) == 1, adapters
a = mine[0]
assert a["mask"] == os.environ["KOVRA_PC_MASK"], a
assert a["friendlyName"] == os.environ["KOVRA_PC_IF"], a
assert a["line"] == f'{pc} ({a["friendlyName"]})', a
assert a["ifIndex"] > 0, a
assert all(x["address"] != "127.0.0.1" and x["friendlyName"] != "lo" for x in adapters), adapters
assert set(a) == {"ifIndex", "friendlyName", "description", "address", "mask", "line"}, a
print("adapters: ok")
PY
grep -q "$KOVRA_PC_ADDR" <<<"$text"
# The adapter is chosen by its address; an unknown one fails with status 1.
"$KOVRA_BIN/kovractl" --adapter "$KOVRA_PC_ADDR" adapters >/dev/null
set +e
"$KOVRA_BIN/kovractl" --adapter 198.51.100.1 adapters >/dev/null 2>&1
status=$?
"$KOVRA_BIN/kovractl" --bogus adapters >/dev/null 2>&1
usage=$?
set -e
[ "$status" -eq 1 ] && [ "$usage" -eq 2 ]
