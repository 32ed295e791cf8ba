# kovractl's language: Japanese by default (also under C and ja_JP), English under an English
# locale or with --lang en, for the device list's headings and for the system's messages.
set -euo pipefail
source "$KOVRA_SRC/tests/e2e/lib/bench.sh"
start_sim --demo

kovractl() { env -i PATH="$PATH" "$@"; }
check() {
    local what=$1 want=$2 got=$3
    grep -qF -- "$want" <<<"$got" || { echo "$what: expected '$want' in:" >&2; echo "$got" >&2; exit 1; }
}

for locale in C ja_JP.UTF-8 POSIX; do
    check "search under $locale" "MACアドレス" "$(kovractl LANG=$locale "$KOVRA_BIN/kovractl" search)"
done
check "search under en_US" "MAC address" "$(kovractl LANG=en_US.UTF-8 "$KOVRA_BIN/kovractl" search)"
check "search with --lang en" "MAC address" "$(kovractl LANG=C "$KOVRA_BIN/kovractl" --lang en search)"
check "--lang ja wins over the locale" "MACアドレス" \
    "$(kovractl LANG=en_US.UTF-8 "$KOVRA_BIN/kovractl" search --lang ja)"

# A message of the core: a unit outside the PC's network group cannot be set.
for run in "LANG=C:このIPアドレスのデバイスとは通信できません。" \
           "LANG=en_US.UTF-8:Cannot communicate with the unit at this IP address."; do
    got=$(kovractl "${run%%:*}" "$KOVRA_BIN/kovractl" other 198.18.0.10 2>&1 || true)
    check "other on a far unit under ${run%%:*}" "${run#*:}" "$got"
done
# A message composed at run time, in English as a whole: a DI's field named in a refusal.
for run in "LANG=C:DI2 の認証ユーザー名は空白を含まない半角英数字・記号で入力してください。" \
           "LANG=en_US.UTF-8:DI2 Authentication user name must be half-width letters, digits and symbols without spaces."; do
    got=$(kovractl "${run%%:*}" "$KOVRA_BIN/kovractl" --yes mail 203.0.113.62 "di2.user=a b" 2>&1 || true)
    check "a refused mail entry under ${run%%:*}" "${run#*:}" "$got"
done
echo "languages: Japanese by default, English by locale and by --lang"
