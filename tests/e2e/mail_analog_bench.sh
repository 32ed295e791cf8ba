# kovractl mail on the demo fleet's QX units: the two-channel unit (.90) and the five-channel
# unit (.91) written through their own path (the CRLF mail message, then the alert
# conditions by direct commands), the bytes as the units logged them, the values read back,
# a refused band and a line break refused unsent.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
start_sim --demo
ctl() { "$KOVRA_BIN/kovractl" "$@"; }
two=203.0.113.90
five=203.0.113.91

# The unit's last logged request of that name, its bytes as hex.
last_hex() {
    python3 - "$SIM_LOG" "$1" "$2" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1]) if l.strip()]
sent = [l for l in lines if l.get("unit") == sys.argv[2] and l.get("request") == sys.argv[3]]
print(sent[-1]["hex"].replace(" ", "").lower() if sent else "")
PY
}
hex_of() { printf "$1" | od -An -tx1 | tr -d ' \n'; }
expect_hex() {
    local got
    got=$(last_hex "$1" "$2")
    [ "$got" = "$3" ] || { echo "$1 $2: $got, expected $3" >&2; exit 1; }
}

# Two-channel: AI1 inside -5..5 V, AI2 outside 4..20 mA, DI1 on ON, DI3 on OFF.
ctl --yes mail "$two" server=smtp.example.net port=25 user=qx password=s3cret sender=qx@example.net \
    to1=ops@example.net to2= message=タンク ai1.condition=inside ai1.low=-5 ai1.high=5 \
    ai2.condition=outside ai2.low=4 ai2.high=20 di1=on di2=none di3=off >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
expect_hex "$two" settings "$(hex_of 'MHOST\r\nsmtp.example.net\r\nMPORT\r\n25\r\nMUSER\r\nqx\r\nMPASS\r\ns3cret\r\nMFROM\r\nqx@example.net\r\nMTO1\r\nops@example.net\r\nMTO2\r\n\r\nMSUBJ\r\n\343\202\277\343\203\263\343\202\257\r\nNORESET\r\nEND\r\n')"
expect_hex "$two" AL "$(hex_of 'AL!"19997FFF\310')"
expect_hex "$two" DM "$(hex_of 'DM!%%  \310')"
grep "\"unit\":\"$two\"" "$SIM_LOG" | grep '"request":"AL"' | head -n -1 | tail -1 | grep -q '"hex":"41 4C 20 21 43 30 30 30 34 30 30 30 C8"'
expect_form_field mail "$two" ai1.condition inside
expect_form_field mail "$two" ai1.low "-5.0000"
expect_form_field mail "$two" ai2.condition outside
expect_form_field mail "$two" di1 on
expect_form_field mail "$two" di3 off
expect_form_field mail "$two" message タンク
echo "$two: two-channel account and conditions written and read back"

# The band checks and a line break: refused with their message, nothing sent.
before=$(settings_count "$two")
set +e
ctl --yes mail "$two" ai1.low=5 ai1.high=4 2>"$work/err.txt"; band=$?
ctl --yes mail "$two" $'message=tank\r\nMHOST' 2>>"$work/err.txt"; injected=$?
set -e
[ "$band" = 1 ] && [ "$injected" = 1 ]
grep -q "AI1の閾値設定が正しくありません。" "$work/err.txt"
grep -q "メッセージに改行などの制御文字は使えません。" "$work/err.txt"
[ "$(settings_count "$two")" = "$before" ]
echo "$two: a bad band and a line break refused unsent"

# Five-channel: Ch2 as 0-20 mA lit outside 4..20 mA with its mail, DO1 following AI2.
ctl --yes mail "$five" server=203.0.113.26 port=587 sender=qx@example.net to1=ops@example.net message=boiler \
    ch2.range="0-20mA(250Ω)" ch2.low=4 ch2.high=20 ch2.led=outside ch2.mail=on \
    do1.alert=on do1.input=ai2 do1.width=2 do1.direction=on-first >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
expect_hex "$five" settings "$(hex_of 'MHOST\r\n203.0.113.26\r\nMPORT\r\n587\r\nMUSER\r\nalert\r\nMPASS\r\nalert-pass\r\nMFROM\r\nqx@example.net\r\nMTO1\r\nops@example.net\r\nMTO2\r\n\r\nMSUBJ\r\nboiler\r\nNORESET\r\nEND\r\n')"
expect_hex "$five" AL "$(hex_of 'AL"!00000000\310')"
expect_hex "$five" MW "$(hex_of 'MW078803010CCD00000000\310')"
grep "\"unit\":\"$five\"" "$SIM_LOG" | grep -q '"hex":"41 4C 21 2A 31 39 39 39 37 46 46 46 C8"'
expect_form_field mail "$five" server 203.0.113.26
expect_form_field mail "$five" ch2.range "0-20mA(250Ω)"
expect_form_field mail "$five" ch2.high 20.000000
expect_form_field mail "$five" ch2.led outside
expect_form_field mail "$five" ch2.mail on
expect_form_field mail "$five" do1.input ai2
expect_form_field mail "$five" do1.direction on-first
echo "$five: five-channel account, bands and DO alert records written and read back"

# A recipient without "@" while a server is set; a message of 24 characters.
set +e
ctl --yes mail "$five" to2=ops 2>"$work/err.txt"; recipient=$?
ctl --yes mail "$five" message=abcdefghijklmnopqrstuvwx 2>>"$work/err.txt"; long=$?
set -e
[ "$recipient" = 1 ] && [ "$long" = 1 ]
[ "$(grep -c "送信先メールアドレスエラー" "$work/err.txt")" = 2 ]
echo "$five: the recipient and message checks refuse"
