# Setup files over the bench: save and write round trips for a unit of every kind (.rec kinds
# 0, 1, 4; .lwi kinds 3, 5, 6, 7; .xml kind 2), the Wi-Fi keys never saved, a save cut
# mid-block leaving the old file and no temporary one, diff, clone, and one .lwi written to
# 32 units with addresses assigned, timed against writing them one after another.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
K="$KOVRA_BIN/kovractl"
work=$(mktemp -d)
cd "$work" # the .xml write leaves its "_.txt" in the working directory
python3 - >"$work/fleet.json" <<'PY'
import json
units = [
    {"name": "wired", "kind": 0, "address": "203.0.113.10", "model": 3, "records": {"4": "11 22 33"}},
    {"name": "gc", "kind": 1, "address": "203.0.113.11", "model": 2, "firmware": "GC2.05"},
    {"name": "newer", "kind": 4, "address": "203.0.113.12", "model": 20},
    {"name": "wifi module", "kind": 2, "typePair": "Y1", "address": "203.0.113.13", "model": 2},
    {"name": "wifi", "kind": 3, "address": "203.0.113.20", "model": 1,
     "text": {"sketchVersion": 127, "parameters": {"SSID": "line-a", "PASS": "wifi-secret"}}},
    {"name": "k4", "kind": 5, "address": "203.0.113.21", "model": 25, "text": {"sketchVersion": 104,
     "parameters": {"E1USER": "line1-alert", "E1PASS": "Kv4!pass"}}},
    {"name": "qx", "kind": 6, "address": "203.0.113.23", "model": 6, "text": {"sketchVersion": 110}},
    {"name": "third", "kind": 7, "address": "203.0.113.24", "model": 0, "text": {"sketchVersion": 1}},
    {"name": "cut", "kind": 0, "address": "203.0.113.25", "model": 1,
     "fault": {"mode": "close", "requests": ["G3"]}},
    {"name": "wired twin", "kind": 0, "address": "203.0.113.26", "model": 3},
]
units += [{"name": "batch%d" % i, "kind": 5, "address": "203.0.113.%d" % (100 + i), "model": 26,
           "text": {"sketchVersion": 102}} for i in range(32)]
print(json.dumps({"restartMs": 300, "units": units}))
PY
start_sim --fleet "$work/fleet.json"
fail() { echo "FAIL: $*" >&2; exit 1; }

# value FILE KEY: a key's value in a .lwi
value() { python3 -c 'import sys
lines = open(sys.argv[1], "rb").read().decode("latin-1").split("\r\n")
print(dict(zip(lines[0::2], lines[1::2])).get(sys.argv[2], ""))' "$1" "$2"; }

# save_again UNIT FILE: saves until the unit, back from its restart, answers
save_again() {
    for _ in $(seq 40); do "$K" save "$1" "$2" 2>/dev/null && return 0; sleep 0.25; done
    fail "save $1 after the write"
}

# .rec round trips: a byte of block 4 changed in the file reads back from the unit.
for unit in 203.0.113.10 203.0.113.11 203.0.113.12; do
    "$K" save "$unit" "$work/$unit.rec" || fail "save $unit"
    [ "$(head -c 5 "$work/$unit.rec" | od -An -c | tr -d ' ')" = '004RECF' ] || fail "$unit header"
    python3 - "$work/$unit.rec" <<'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
at = 5 + 121 + 2 * 127 + 1 + 10          # block 4, byte 10
data[at] = 0x5A
open(sys.argv[1], "wb").write(data)
PY
    "$K" --yes write "$unit" "$work/$unit.rec" >/dev/null 2>&1 || fail "write $unit"
    save_again "$unit" "$work/$unit.back.rec"
    cmp -s "$work/$unit.rec" "$work/$unit.back.rec" || fail "$unit does not read back its file"
done
[ "$(od -An -tx1 -j $((5 + 121 + 2 * 127 + 1)) -N 3 "$work/203.0.113.10.rec" | tr -d ' ')" = 112233 ] \
    || fail "block 4 of 203.0.113.10 is not record 4"

# .lwi round trips: a port changed in the file reads back; the Wi-Fi keys never saved.
for unit in 203.0.113.20 203.0.113.21 203.0.113.23 203.0.113.24; do
    "$K" save "$unit" "$work/$unit.lwi" || fail "save $unit"
    for key in AP AP_CH SSID PASS END; do
        grep -qx "$key"$'\r' "$work/$unit.lwi" && fail "$unit.lwi holds $key"
    done
    key=$(grep -qx $'HPORT\r' "$work/$unit.lwi" && echo HPORT || echo HPORT1)
    python3 - "$work/$unit.lwi" "$key" <<'PY'
import sys
path, key = sys.argv[1], sys.argv[2]
lines = open(path, "rb").read().split(b"\r\n")
lines[lines.index(key.encode()) + 1] = b"4321"
open(path, "wb").write(b"\r\n".join(lines))
PY
    "$K" diff "$unit" "$work/$unit.lwi" | grep -q "^~ $key: .* -> 4321$" || fail "$unit diff"
    "$K" --yes write "$unit" "$work/$unit.lwi" >/dev/null 2>&1 || fail "write $unit"
    save_again "$unit" "$work/$unit.back.lwi"
    [ "$(value "$work/$unit.back.lwi" "$key")" = 4321 ] || fail "$unit $key did not read back"
done
"$K" save 203.0.113.20 "$work/check.lwi"
grep -q "wifi-secret\|line-a" "$work/check.lwi" && fail "Wi-Fi keys saved"

# .xml round trip: the record's Tunnel Connect host port changed in the file reads back.
"$K" save 203.0.113.13 "$work/module.xml" || fail "save module"
grep -q '<configrecord' "$work/module.xml" || fail "module.xml is no record"
"$K" --yes write 203.0.113.13 "$work/module.xml" >/dev/null 2>&1 || fail "write module"
save_again 203.0.113.13 "$work/module.back.xml"
"$K" diff 203.0.113.13 "$work/module.xml" | grep -qx 'no changes' || fail "module does not read back its file"

# A save cut mid-block leaves the old file as it was and nothing beside it.
mkdir "$work/cut" && echo "old setup" >"$work/cut/unit.rec"
"$K" save 203.0.113.25 "$work/cut/unit.rec" 2>/dev/null && fail "a cut save succeeded"
[ "$(cat "$work/cut/unit.rec")" = "old setup" ] || fail "the old file changed"
[ "$(ls -A "$work/cut")" = unit.rec ] || fail "left behind: $(ls -A "$work/cut")"

# A file of another kind is refused before any traffic.
"$K" --yes write 203.0.113.21 "$work/203.0.113.10.rec" 2>/dev/null && fail "a .rec was written to a .lwi unit"

# Clone: the twin takes the wired unit's blocks but keeps its own address.
"$K" clone 203.0.113.10 203.0.113.26 | grep -q '^1 of 1 units written' || fail "clone"
save_again 203.0.113.26 "$work/twin.rec"
cmp -s <(tail -c +$((5 + 121 + 1)) "$work/twin.rec") <(tail -c +$((5 + 121 + 1)) "$work/203.0.113.10.rec") \
    || fail "twin's blocks 2..8 differ"
[ "$(od -An -tu1 -j 6 -N 4 "$work/twin.rec" | tr -s ' ')" = " 203 0 113 26" ] || fail "twin lost its address"

# One .lwi to 32 units, addresses from 203.0.113.160: one after another, then 8 at a time.
"$K" save 203.0.113.100 "$work/batch.lwi"
python3 - "$work/batch.lwi" <<'PY'
import sys
lines = open(sys.argv[1], "rb").read().split(b"\r\n")
lines[lines.index(b"HPORT2") + 1] = b"2222"
open(sys.argv[1], "wb").write(b"\r\n".join(lines))
PY
units=$(seq -f '203.0.113.%g' 100 131)
"$K" --json write "$work/batch.lwi" $units --jobs 1 >"$work/serial.json" || fail "serial batch"
sleep 1 # the units restart at their own addresses (no assignment)
"$K" --json write "$work/batch.lwi" $units --jobs 8 --assign-from 203.0.113.160 >"$work/batch.json" \
    || fail "batch with assignment"
python3 - "$work/serial.json" "$work/batch.json" <<'PY'
import json, sys
serial, batch = json.load(open(sys.argv[1])), json.load(open(sys.argv[2]))
assert serial["failed"] == 0 and batch["failed"] == 0
got = sorted(u["address"] for u in batch["units"])
assert got == sorted("203.0.113.%d" % (160 + i) for i in range(32)), got
print("batch of 32: one after another %.2f s, 8 at a time %.2f s" % (serial["seconds"], batch["seconds"]))
PY
for i in 0 17 31; do
    save_again "203.0.113.$((160 + i))" "$work/moved$i.lwi"
    [ "$(value "$work/moved$i.lwi" HPORT2)" = 2222 ] || fail "unit $i lacks the file's settings"
    [ "$(value "$work/moved$i.lwi" IP)" = "203.0.113.$((160 + i))" ] || fail "unit $i not at its new address"
done
echo "setup files: all checks passed"
