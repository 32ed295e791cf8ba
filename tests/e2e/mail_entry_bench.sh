# kovractl mail on kinds 5 and 7: the per-input mail entries written through the unit's own
# path (scrambled credentials on kind 7 and kind 5 from 1.03, in clear below), the message as
# the unit logged it, the values read back from the unit, and a refused entry sending nothing.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
cat >"$work/fleet.json" <<'JSON'
{ "units": [
  { "name": "k4",     "kind": 5, "address": "203.0.113.21", "model": 25, "text": { "sketchVersion": 104 } },
  { "name": "k4 old", "kind": 5, "address": "203.0.113.22", "model": 26, "text": { "sketchVersion": 102 } },
  { "name": "third",  "kind": 7, "address": "203.0.113.24", "model": 0 }
] }
JSON
start_sim --fleet "$work/fleet.json"
ctl() { "$KOVRA_BIN/kovractl" "$@"; }

# The last settings message the unit logged, as text.
last_message() {
    python3 - "$SIM_LOG" "$1" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1]) if l.strip()]
sent = [l for l in lines if l.get("unit") == sys.argv[2] and l.get("request") == "settings"]
sys.stdout.write(bytes.fromhex(sent[-1]["hex"]).decode("cp932"))
PY
}

# One line of the message present (as a whole line), or absent anywhere.
has_line() {
    grep -qx "$1"$'\r' <<<"$2" || { echo "missing line '$1'" >&2; return 1; }
}
lacks() {
    if grep -q "$1" <<<"$2"; then
        echo "unexpected '$1'" >&2
        return 1
    fi
}

for unit in 203.0.113.21 203.0.113.22 203.0.113.24; do
    n=${unit##*.}
    ctl --yes mail "$unit" di1.mode=hi di1.server=smtp$n.kovra.jp di1.port=587 di1.user=alert-$n \
        di1.password="Pw!$n~x" di1.sender=unit$n@kovra.jp di1.to1=ops@kovra.jp di1.message="DI1 ON" \
        >"$work/out.txt" 2>&1
    grep -q "設定完了しました。" "$work/out.txt"
    message=$(last_message "$unit")
    has_line M1HOST "$message"
    has_line "smtp$n.kovra.jp" "$message"
    has_line END "$message"
    if [ "$unit" = 203.0.113.22 ]; then
        has_line M1USER "$message"
        has_line "alert-$n" "$message"
    else
        # The credentials travel only scrambled.
        has_line E1USER "$message"
        lacks "alert-$n" "$message"
        lacks M1USER "$message"
    fi
    expect_form_field mail "$unit" di1.server "smtp$n.kovra.jp"
    expect_form_field mail "$unit" di1.mode hi
    expect_form_field mail "$unit" di1.port 587
    expect_form_field mail "$unit" di1.user "alert-$n"
    expect_form_field mail "$unit" di1.password "Pw!$n~x"
    expect_form_field mail "$unit" di1.message "DI1 ON"
    echo "$unit: entry 1 written and read back"
done

# The clear form byte for byte (entry 2 as the unit held it).
want=$(printf '%s\r\n' M1MODE 2 M1HOST smtp22.kovra.jp M1PORT 587 M1USER alert-22 M1PASS 'Pw!22~x' M1FROM \
    unit22@kovra.jp M1TO1 ops@kovra.jp M1TO2 '' M1SUBJ 'DI1 ON' M2MODE 0 M2HOST smtp.example.jp M2PORT 587 \
    M2USER di2-alert M2PASS 'Pw2!kovra' M2FROM unit2@example.jp M2TO1 ops@example.jp M2TO2 '' M2SUBJ \
    'DI2 changed' END | od -An -tx1 | tr -d ' \n')
[ "$(last_request_hex 203.0.113.22 settings)" = "$want" ] || { echo "unexpected clear message" >&2; exit 1; }

# A user the scrambled form would cut, and a line break in a text, are refused unsent.
before=$(settings_count 203.0.113.24)
for word in "di2.user=new user" $'di1.message=a\nM1HOST'; do
    set +e
    ctl --yes mail 203.0.113.24 "$word" 2>"$work/err.txt"; status=$?
    set -e
    [ "$status" = 1 ]
    grep -q "DI[12] の" "$work/err.txt"
done
[ "$(settings_count 203.0.113.24)" = "$before" ]
# The clear form takes the same credentials.
before=$(settings_count 203.0.113.22)
set +e
ctl --yes mail 203.0.113.22 "di2.user=new user" 2>/dev/null; status=$?
set -e
[ "$status" = 1 ]
[ "$(settings_count 203.0.113.22)" = "$before" ]
ctl --yes mail --dry-run 203.0.113.21 di2.password=secret >"$work/dry.txt"
grep -q "E2PASS" "$work/dry.txt"
lacks secret "$(cat "$work/dry.txt")"
echo "refusals and dry run: nothing sent, passwords masked"

# The test button of a DI tab: kind 7 and kind 5 from 1.03; kind 5 below 1.03 has none.
expect_test_mail 203.0.113.21 1
expect_test_mail 203.0.113.24 2 di2.server=smtp.kovra.jp di2.port=25 di2.to1=ops@kovra.jp
set +e
ctl --yes mail 203.0.113.22 --test 1 2>"$work/err.txt"; status=$?
set -e
[ "$status" = 2 ]
grep -q "has no test" "$work/err.txt"
echo "test mails per DI without a restart"
