#!/usr/bin/env bash
# The bench carries a broadcast search from the PC to the demo fleet and every answer back; unit
# addresses exist only while their units run. Runs inside scripts/netbench (KOVRA_BIN: binaries).
set -euo pipefail
: "${KOVRA_NETBENCH:?run inside scripts/netbench}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$KOVRA_UNITS_EXEC" "$KOVRA_BIN/kovra-sim" --demo --iface "$KOVRA_UNITS_IF" --log "$work/log" &
sim=$!
for _ in $(seq 1 100); do
    grep -q '"event":"ready"' "$work/log" 2>/dev/null && break
    kill -0 "$sim" || { echo "kovra-sim ended early"; exit 1; }
    sleep 0.1
done
grep -q '"event":"ready"' "$work/log" || { echo "kovra-sim did not get ready"; exit 1; }

units=$("$KOVRA_BIN/kovra-sim" --demo --list | tail -n +2 | wc -l)

python3 - "$KOVRA_PC_ADDR" "$units" <<'PY'
import socket, struct, sys

pc, expected = sys.argv[1], int(sys.argv[2])
failures = []

def check(ok, what):
    if not ok:
        failures.append(what)

udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
udp.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
udp.bind((pc, 0))
udp.sendto(bytes.fromhex("000000F6"), ("255.255.255.255", 30718))
udp.settimeout(1.5)
answers = {}
try:
    while True:
        data, (source, _) = udp.recvfrom(64)
        check(source not in answers, "two answers from " + source)
        answers[source] = data
except socket.timeout:
    pass
check(len(answers) == expected, "%d answers, expected %d" % (len(answers), expected))
for source, data in answers.items():
    check(len(data) == 30 and socket.inet_aton(source) == data[10:14], "answer of %s: %s" % (source, data.hex()))
check("198.18.0.10" in answers, "no answer from the unit off the PC's subnet")

udp.sendto(bytes.fromhex("000000E0"), ("203.0.113.10", 30718))
record, (source, _) = udp.recvfrom(256)
check(len(record) == 124 and source == "203.0.113.10", "record 0: %d bytes from %s" % (len(record), source))

tcp = socket.create_connection(("203.0.113.10", 10001), timeout=2, source_address=(pc, 0))
tcp.sendall(b"UU")
check(tcp.recv(2) == bytes.fromhex("0F00"), "model answer of 203.0.113.10")
tcp.close()

def ping(address):
    icmp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM, socket.IPPROTO_ICMP)
    icmp.settimeout(1.0)
    icmp.sendto(struct.pack("!BBHHH", 8, 0, 0, 0, 1) + b"ICMP SEND DATA", (address, 0))
    try:
        icmp.recvfrom(64)
        return True
    except socket.timeout:
        return False

check(ping("203.0.113.10"), "a running unit does not answer ping")
check(not ping("203.0.113.200"), "a free address answers ping")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
PY

kill -TERM "$sim"
wait "$sim" || true
grep -q '"event":"stopped"' "$work/log" || { echo "kovra-sim did not stop on SIGTERM"; exit 1; }
if "$KOVRA_UNITS_EXEC" ip -4 -o addr show dev "$KOVRA_UNITS_IF" | grep -q '203\.0\.113\.10/'; then
    echo "unit addresses left on $KOVRA_UNITS_IF"
    exit 1
fi
echo "bench discovery: $units units answered"
