# The address group on the bench: the PING check of a taken and a free address, the ARP
# refusal, and an address write by each path the units have (record 0, the address-set
# datagram with an address and with DHCP, the settings message, the Wi-Fi module's import), each checked by its exact
# bytes in the simulator's log and by a following search.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
cat >"$work/fleet.json" <<'JSON'
{
  "restartMs": 300,
  "units": [
    { "name": "record0", "kind": 0, "model": 3, "address": "203.0.113.40", "mac": "02:4B:56:00:00:40" },
    { "name": "far", "kind": 0, "model": 1, "address": "198.18.0.40", "mac": "02:4B:56:00:12:34",
      "gateway": "198.18.0.1" },
    { "name": "far-dhcp", "kind": 0, "model": 2, "address": "198.18.0.41", "mac": "02:4B:56:00:56:78" },
    { "name": "text", "kind": 5, "model": 25, "address": "203.0.113.50" },
    { "name": "wifi-module", "kind": 2, "model": 2, "address": "203.0.113.60" }
  ]
}
JSON
start_sim --fleet "$work/fleet.json"
kovractl() { "$KOVRA_BIN/kovractl" "$@"; }

# expect STATUS CMD...: runs CMD, keeps its stderr in $work/err and checks its exit status.
expect() {
    local want=$1
    shift
    set +e
    "$@" >"$work/out" 2>"$work/err"
    local status=$?
    set -e
    if [ "$status" -ne "$want" ]; then
        echo "exit $status, expected $want: $*" >&2
        cat "$work/err" >&2
        exit 1
    fi
}

# The last logged request NAME of unit ADDRESS, as hex.
logged() {
    python3 - "$SIM_LOG" "$1" "$2" <<'PY'
import json, sys
hexes = [e["hex"] for e in map(json.loads, open(sys.argv[1]))
         if e.get("request") == sys.argv[2] and e.get("unit") == sys.argv[3]]
print(hexes[-1] if hexes else "")
PY
}

# Waits until the unit at ADDRESS answers a search as a row with the given JSON fields.
found_at() {
    local address=$1 fields=$2
    for _ in $(seq 20); do
        kovractl --json search >"$work/rows.json" 2>/dev/null || true
        if python3 - "$work/rows.json" "$address" "$fields" <<'PY'
import json, sys
rows = {r["ip"]: r for r in json.load(open(sys.argv[1]))}
want = json.loads(sys.argv[3])
r = rows.get(sys.argv[2])
sys.exit(0 if r and all(r.get(k) == v for k, v in want.items()) else 1)
PY
        then return 0; fi
        sleep 0.2
    done
    echo "no unit at $address with $fields:" >&2
    cat "$work/rows.json" >&2
    return 1
}

# PING: the bench's own far end answers with the kernel's echo; a free address does not.
expect 0 kovractl ping 203.0.113.2
grep -qx "PINGに返答がありました。" "$work/err"
grep -qx "この設定はアドレス衝突の恐れがあります。" "$work/err"
expect 1 kovractl ping 203.0.113.200
grep -qx "PINGに返答がありません。" "$work/err"
grep -qx "このアドレスは設定可能と思われます。" "$work/err"
# A reply from the selected unit's own address is no conflict.
expect 0 kovractl ping 203.0.113.40 --unit 203.0.113.40
grep -qx "PINGに返答がありました。" "$work/err"
! grep -q "衝突" "$work/err"
echo "ping: ok"

# ARP check: an address another host answers for is refused before the question.
expect 1 kovractl --yes set-address 203.0.113.40 --ip 203.0.113.2
grep -qx "そのIPアドレスには設定できません。" "$work/err"
! grep -q "設定を書き込みます" "$work/err"
# Without --yes and without a terminal the question is answered Cancel: nothing is written.
expect 1 kovractl set-address 203.0.113.40 --ip 203.0.113.45 </dev/null
[ -z "$(logged write0 203.0.113.40)" ]
echo "arp check: ok"

# Record 0 write: header 00 00 00 C0, address, host bits 16, gateway; the unit restarts there.
expect 0 kovractl --yes set-address 203.0.113.40 --ip 203.0.113.41 --mask 255.255.0.0 --gateway 203.0.113.254
grep -qx "設定完了しました。" "$work/err"
python3 - "$(logged write0 203.0.113.40)" <<'PY'
import sys
b = bytes.fromhex(sys.argv[1])
assert len(b) == 124, len(b)
assert b[0:4] == bytes([0, 0, 0, 0xC0]), b[0:4]
assert b[4:8] == bytes([203, 0, 113, 41]), b[4:8]
assert b[10] == 16, b[10]
assert b[16:20] == bytes([203, 0, 113, 254]), b[16:20]
assert b[24:26] == bytes([0x11, 0x27]), b[24:26]  # the port 10001 stays
PY
found_at 203.0.113.41 '{"subnetMask": "255.255.0.0", "gateway": "203.0.113.254", "dhcp": false, "kind": 0}'
echo "record 0 write: ok"

# Address-set datagram to a unit behind the other subnet, by broadcast, matched by MAC bytes 4-5.
expect 0 kovractl --yes set-address 02-4B-56-00-12-34 --ip 203.0.113.42
python3 - "$SIM_LOG" <<'PY'
import json, sys
sets = [e for e in map(json.loads, open(sys.argv[1])) if e.get("request") == "addressSet" and e["unit"] == "198.18.0.40"]
assert sets, "no address set reached the unit"
e = sets[-1]
assert e["broadcast"] is True, e
assert e["hex"] == "00 00 00 FC 49 50 2D 53 45 54 55 50 00 00 12 34 CB 00 71 2A", e["hex"]
PY
found_at 203.0.113.42 '{"sameSubnet": true, "gateway": "198.18.0.1"}'
# With DHCP the datagram carries 0.0.0.0 and the unit takes its lease (here its old address).
expect 0 kovractl --yes set-address 198.18.0.41 --dhcp
[ "$(logged addressSet 198.18.0.41)" = "00 00 00 FC 49 50 2D 53 45 54 55 50 00 00 56 78 00 00 00 00" ]
found_at 198.18.0.41 '{"sameSubnet": false}'
echo "address set: ok"

# Settings message of a kind 5 unit on port 9998, applied at its restart.
expect 0 kovractl --yes set-address 203.0.113.50 --ip 203.0.113.51 --mask 255.255.255.128 --gateway 203.0.113.1
message=$(python3 -c 'import sys; print(bytes.fromhex(sys.argv[1]).decode().replace("\r\n", "|"))' "$(logged settings 203.0.113.50)")
[ "$message" = "IP|203.0.113.51|SUBM|255.255.255.128|GWAY|203.0.113.1|END|" ] || { echo "message: $message" >&2; exit 1; }
found_at 203.0.113.51 '{"subnetMask": "255.255.255.128", "gateway": "203.0.113.1", "kind": 5}'
echo "settings message: ok"

# Interface record imported into a Wi-Fi module (kind 2); the module reboots into it.
expect 0 kovractl --yes set-address 203.0.113.60 --ip 203.0.113.61 --mask 255.255.255.0 --gateway 203.0.113.1
grep -qx "設定完了しました。" "$work/err"
python3 - "$SIM_LOG" <<'PY'
import json, sys
imports = [e for e in map(json.loads, open(sys.argv[1])) if e.get("request") == "import" and e["unit"] == "203.0.113.60"]
assert len(imports) == 1, imports
body = bytes.fromhex(imports[0]["hex"]).decode("latin-1")
for part in ['<configgroup name = "Interface" instance = "wlan0">',
             '<configitem name = "DHCP Client">         <value>Disable</value>',
             '<configitem name = "IP Address">         <value>203.0.113.61/24</value>',
             '<configitem name = "Default Gateway">         <value>203.0.113.1</value>',
             '<configitem name = "Reboot">         <value>Enabled</value>']:
    assert part in body, part
PY
found_at 203.0.113.61 '{"subnetMask": "255.255.255.0", "gateway": "203.0.113.1", "kind": 2, "dhcp": false}'
echo "interface import: ok"
