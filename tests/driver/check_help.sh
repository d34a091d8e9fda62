#!/bin/sh
# ./tavrin help prints the README's commands table, one line per command;
# every command the script dispatches has a row there and every row a command;
# an unknown command prints the table on stderr and exits 2.
# Usage: check_help.sh TAVRIN_SCRIPT README
tavrin=$1 readme=$2
status=0
fail() { echo "FAIL: $*"; status=1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$tavrin" help >"$out/help" 2>"$out/help.err" || fail "help exits $?"
rows=$(grep -c '^| `\./tavrin ' "$readme")
[ "$rows" -gt 0 ] || fail "the README has no commands table"
[ "$(wc -l <"$out/help")" -eq "$rows" ] || fail "help prints $(wc -l <"$out/help") lines for $rows table rows"
grep -qE '`|\]\(|\\\|' "$out/help" && fail "help shows markdown: $(grep -E '`|\]\(|\\\|' "$out/help" | head -1)"

# The commands of the README table and of the script's dispatch, one name a line.
sed -n 's/^| `\.\/tavrin \([a-z-]*\).*/\1/p' "$readme" | sort >"$out/readme"
sed -n '/^case "${1:-}" in/,/^esac/s/^    \([a-z|-]*\)) .*/\1/p' "$tavrin" | tr '|' '\n' | sort >"$out/script"
[ -s "$out/script" ] || fail "no commands found in the script's dispatch"
diff "$out/readme" "$out/script" >"$out/diff" || fail "README table and script disagree (< README, > script): $(tr '\n' ' ' <"$out/diff")"
while read -r name; do
    grep -q "^  \./tavrin $name\b" "$out/help" || fail "help has no line for $name"
done <"$out/readme"

rc=0
"$tavrin" no-such-command >"$out/unknown" 2>"$out/unknown.err" || rc=$?
[ $rc -eq 2 ] || fail "an unknown command exits $rc, not 2"
grep -qF "$(head -1 "$out/help")" "$out/unknown.err" || fail "an unknown command does not print the table"

[ $status -eq 0 ] && echo "OK: help prints the $rows commands of the README, and an unknown command exits 2"
exit $status
