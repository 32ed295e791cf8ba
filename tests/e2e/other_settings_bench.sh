# kovractl other on the demo fleet: every other-settings dialog variant written through its
# unit's own path, then read back from the unit (show, or the dialog's values as loaded);
# a failing check, a refused unit and a dry run send nothing.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
work=$(mktemp -d)
start_sim --demo
ctl() { "$KOVRA_BIN/kovractl" "$@"; }

# Kind 5: DO modes and keep-alive by the settings message.
ctl --yes other 203.0.113.62 keepalive=60 do1.mode=on-at-start do2.mode=one-shot do2.time=25 >"$work/out.txt" 2>&1
grep -q "設定完了しました。" "$work/out.txt"
expect_form_field other 203.0.113.62 keepalive 60
expect_form_field other 203.0.113.62 do1.mode on-at-start
expect_form_field other 203.0.113.62 do2.time 25
ctl --json show 203.0.113.62 >"$work/show.json"
python3 - "$work/show.json" <<'PY'
import json, sys
s = json.load(open(sys.argv[1]))["settings"]
assert s["keepInterval"] == 12 and s["doMode"][:2] == [1, 2] and s["doOneShot"][1] == 25, s
PY
echo "kind 5: DO modes written and read back (dialog and show)"

# Kind 6: the mode value by direct command, then the SOCK/keep-alive message.
ctl --yes other 203.0.113.64 sps=400sps keep-idle=30 keep-interval=7 keep-count=4 >/dev/null
expect_form_field other 203.0.113.64 sps 400sps
expect_form_field other 203.0.113.64 keep-idle 30
echo "kind 6: mode value and keep-alive written and read back"

# Kind 3 with the Wi-Fi part: SSID and keep-alive; the address stays.
ctl --yes other 203.0.113.60 keep-idle=120 ssid=line2-ap channel=11 >/dev/null
expect_form_field other 203.0.113.60 ssid line2-ap
expect_form_field other 203.0.113.60 channel 11
echo "kind 3: keep-alive and Wi-Fi written and read back"

# Kind 4: accessors and registers; kind 0: the binary keep-alive.
ctl --yes other 203.0.113.30 keepalive=30 do1.mode=one-shot do1.time=8 >/dev/null
expect_form_field other 203.0.113.30 keepalive 30
expect_form_field other 203.0.113.30 do1.time 8
ctl --yes other 203.0.113.13 keepalive=45 >/dev/null
expect_form_field other 203.0.113.13 keepalive 45
echo "kinds 4 and 0: binary writes read back"

# The analog models: ranges, AO initial values, thermocouple settings.
ctl --yes other 203.0.113.17 sps=50sps ai2.range=±1V >/dev/null
expect_form_field other 203.0.113.17 ai2.range ±1V
ctl --yes other 203.0.113.20 ao1.kind=current ao1.value=12.5 >/dev/null
expect_form_field other 203.0.113.20 ao1.kind current
# 12.5 mA is 20479 counts of 32767: it reads back as the count shows it.
expect_form_field other 203.0.113.20 ao1.value +12.49977
ctl --yes other 203.0.113.21 ai1.range=熱電対 ai1.type=J >/dev/null
expect_form_field other 203.0.113.21 ai1.type J
echo "analog models: written and read back"

# Refusals and the dry run send nothing.
before=$(settings_count 203.0.113.62)
[ "$before" -ge 1 ] # the writes above were counted
set +e
ctl --yes other 203.0.113.62 keepalive=7 2>"$work/err.txt"; status=$?
set -e
[ "$status" = 1 ] && grep -q "Keepaliveは5の倍数で設定してください。" "$work/err.txt"
set +e
ctl --yes other 203.0.113.62 do1.mode=sometimes 2>"$work/err.txt"; status=$?
set -e
[ "$status" = 2 ] && grep -q "one-shot" "$work/err.txt"
ctl --yes other --dry-run 203.0.113.62 keepalive=1275 >"$work/dry.txt"
grep -q "KEEP_A" "$work/dry.txt"
[ "$(settings_count 203.0.113.62)" = "$before" ]
set +e
ctl --yes other 203.0.113.81 2>"$work/err.txt"; status=$?
set -e
[ "$status" = 1 ] && grep -q "その他の機能なし" "$work/err.txt"
echo "refusals and dry run: nothing sent"

# The GUI: after a search, each function button opens its unit's dialog (or says why not).
KOVRA_DEMO_FLEET=1 QT_QPA_PLATFORM=offscreen \
    "$KOVRA_BIN/kovra_gui_tests" --gtest_filter='BenchSettingButtons.*'
