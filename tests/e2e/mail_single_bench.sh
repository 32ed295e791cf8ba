# kovractl mail on the demo fleet's kind 3 unit: the one mail account written in the LF
# message, as the unit logged it, read back after the unit's restart; a value with a line
# break refused unsent; kovractl --test answered with a test mail and no restart.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
start_sim --demo
unit=203.0.113.60
ctl() { "$KOVRA_BIN/kovractl" "$@"; }

expect_field() {
    expect_form_field mail "$unit" "$1" "$2"
}
# Log lines of the unit holding the text (the log writes "unit" after "request": keys sorted).
count() {
    grep "\"unit\":\"$unit\"" "$SIM_LOG" | grep -c "$1" || true
}
# The last settings message the unit logged, byte for byte (hex).
last_message_hex() {
    python3 - "$SIM_LOG" "$unit" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1]) if l.strip()]
sent = [l for l in lines if l.get("unit") == sys.argv[2] and l.get("request") == "settings"]
print(bytes.fromhex(sent[-1]["hex"]).hex())
PY
}

ctl --yes mail "$unit" server=smtp.example.net port=587 auth=on user=ops.user password=s3cret \
    sender=a@b.example to1=ops@b.example to2= message=door >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
want=$(printf 'MHOST\nsmtp.example.net\nMPORT\n587\nMUSER\nops.user\nMPASS\ns3cret\nMFROM\na@b.example\nMTO1\nops@b.example\nMTO2\n\nMSUBJ\ndoor\nEND\n' | od -An -tx1 | tr -d ' \n')
[ "$(last_message_hex)" = "$want" ] || { echo "unexpected message $(last_message_hex)" >&2; exit 1; }
expect_field server smtp.example.net
expect_field port 587
expect_field auth on
expect_field user ops.user
expect_field password s3cret
expect_field sender a@b.example
expect_field to1 ops@b.example
expect_field message door
echo "$unit: account written and read back"

# Without SMTP-AUTH the user and password are written empty.
ctl --yes mail "$unit" auth=off >/dev/null
expect_field auth off
expect_field user ""

# A line break would inject a key: refused, nothing sent.
before=$(settings_count "$unit")
set +e
ctl --yes mail "$unit" $'message=door\nMHOST' 2>"$work/err.txt"; status=$?
set -e
[ "$status" = 1 ]
grep -q "メッセージに改行などの制御文字は使えません。" "$work/err.txt"
[ "$(settings_count "$unit")" = "$before" ]
echo "line break refused unsent"

# The test button: the unit sends a test mail with what it was given and does not restart.
expect_test_mail "$unit" 0 port=25 sender=t@b.example
expect_field port 25 # the unit keeps what the test message carried
echo "test mail logged without a restart"
