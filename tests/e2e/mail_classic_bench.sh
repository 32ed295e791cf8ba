# kovractl mail on the binary kinds' classic dialog (demo fleet): the account as the unit's
# stored records hold it, written back byte for byte with the DI masks by the unit's own path
# (short commands, "MW0432", registers) and the analog bands by "AL", read back on the next
# opening; a refused value sends nothing; the test mail goes out without a restart.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
start_sim --demo
ctl() { "$KOVRA_BIN/kovractl" "$@"; }

# The stored records as the demo fleet gives them.
expect_form_field mail 203.0.113.87 server smtp.example.jp
expect_form_field mail 203.0.113.87 port 587
expect_form_field mail 203.0.113.87 user line-alert
expect_form_field mail 203.0.113.87 sender qm170g@example.jp
expect_form_field mail 203.0.113.88 server 203.0.113.1
expect_form_field mail 203.0.113.88 di2.enabled on
expect_form_field mail 203.0.113.89 di8.enabled on
echo "stored mail settings shown"

# Kind 1: masks by the short commands, the account in records 1 and 3-7.
unit=203.0.113.87
ctl --yes mail "$unit" server=mail.kovra.jp port=25 auth=on user=ops password=Pw1 sender=u@kovra.jp \
    to1=a@kovra.jp to2=b@kovra.jp message=door di1.enabled=on di1.edge=on di2.enabled=on \
    di3.enabled=off >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
[ "$(last_request_hex "$unit" short)" = 9510 ]
record() { # the expected record write: header, then (offset, text) fields, zero elsewhere
    python3 - "$@" <<'PY'
import sys
n, fields = int(sys.argv[1]), sys.argv[2:]
body = bytearray(130)
body[0:4] = bytes([0, 0, 0, 0xC7]) if n == 7 else bytes([0, 1, 0, 0xC0 + n])
for field in fields:
    offset, value = field.split("=", 1)
    data = bytes.fromhex(value[1:]) if value.startswith("#") else value.encode()
    body[int(offset):int(offset) + len(data)] = data
print(body.hex())
PY
}
[ "$(last_request_hex "$unit" write4)" = "$(record 4 4=mail.kovra.jp 58=#190001 61=ops 104=Pw1)" ]
[ "$(last_request_hex "$unit" write1)" = "$(record 1 4=mail.kovra.jp 58=#190001 61=ops 104=Pw1)" ]
[ "$(last_request_hex "$unit" write5)" = "$(record 5 4=u 28=kovra.jp 52=a@kovra.jp)" ]
[ "$(last_request_hex "$unit" write6)" = "$(record 6 4=b@kovra.jp 53=door)" ]
expect_form_field mail "$unit" server mail.kovra.jp
expect_form_field mail "$unit" password Pw1
expect_form_field mail "$unit" to2 b@kovra.jp
expect_form_field mail "$unit" di1.edge on
expect_form_field mail "$unit" di2.enabled on
expect_form_field mail "$unit" di2.edge off
echo "$unit: account and masks written and read back"

# Models 9 and 11: one memory write, edge mask then enable mask (DI1 keeps its edge bit).
ctl --yes mail 203.0.113.88 di1.enabled=off di2.enabled=on di2.edge=on >/dev/null
[ "$(last_request_hex 203.0.113.88 MW)" = "$(printf 'MW04320302\xc8' | od -An -tx1 | tr -d ' \n')" ]
expect_form_field mail 203.0.113.88 di1.enabled off
expect_form_field mail 203.0.113.88 di2.edge on
echo "203.0.113.88: MW0432 written and read back"

# Model 8: the analog bands in percent, one "AL" per input.
ctl --yes mail 203.0.113.17 ai1.low=10 ai1.high=90 ai1.led=outside ai1.mail=lit >/dev/null
python3 - "$SIM_LOG" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1]) if l.strip()]
bands = [bytes.fromhex(l["hex"]) for l in lines if l.get("unit") == "203.0.113.17" and l.get("request") == "AL"]
assert bands[-3] == b"AL %0CCD7332\xc8", bands[-3]
PY
expect_form_field mail 203.0.113.17 ai1.low +10.001
expect_form_field mail 203.0.113.17 ai1.mail lit
echo "203.0.113.17: analog bands written and read back"

# Refused before anything is sent: a sender part over 23 characters, a spaced password.
writes=$(log_count "$unit" write7)
for word in "sender=$(printf 'l%.0s' $(seq 24))@kovra.jp" "password=p w"; do
    set +e
    ctl --yes mail "$unit" "$word" 2>"$work/err.txt"; status=$?
    set -e
    [ "$status" = 1 ]
done
grep -q "認証パスワードは空白を含まない半角英数字・記号で入力してください。" "$work/err.txt"
[ "$(log_count "$unit" write7)" = "$writes" ]
echo "refusals sent nothing"

expect_test_mail "$unit" 0 to1=ops@kovra.jp
[ "$(log_count "$unit" write7)" = "$writes" ]
echo "$unit: test mail without a restart or a record write"
