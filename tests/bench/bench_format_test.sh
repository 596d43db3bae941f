#!/bin/sh
# vellar-bench as a script reads it: --benchmark_format=json and csv give what the library
# writes in that format on stdout, with the ratios on stderr; the console table keeps them
# below it. Argument: the built vellar-bench.
set -eu
bench=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FEHLER: $*" >&2
  echo "--- stdout:" >&2
  cat "$tmp/out" >&2
  echo "--- stderr:" >&2
  cat "$tmp/err" >&2
  exit 1
}
measure() {
  "$bench" --benchmark_filter='BM_CLoop|BM_RunClocks' --benchmark_min_time=0.01 "$@" \
    >"$tmp/out" 2>"$tmp/err"
}

measure --benchmark_format=json || fail "json: Rückgabewert $?"
[ "$(head -c 1 "$tmp/out")" = "{" ] || fail "json: stdout beginnt nicht mit {"
[ "$(tail -n 1 "$tmp/out")" = "}" ] || fail "json: stdout endet nicht mit }"
grep -q '"name": "BM_RunClocks"' "$tmp/out" || fail "json: BM_RunClocks fehlt"
if command -v python3 >/dev/null; then
  python3 -m json.tool "$tmp/out" >/dev/null || fail "json: kein gültiges JSON"
fi
grep -q 'C-Schleife' "$tmp/err" || fail "json: das Verhältnis fehlt auf stderr"

measure --benchmark_format=csv || fail "csv: Rückgabewert $?"
head -n 1 "$tmp/out" | grep -q '^name,iterations,' || fail "csv: keine Kopfzeile"
grep -q '^"BM_CLoop",' "$tmp/out" || fail "csv: BM_CLoop fehlt"
grep -q 'C-Schleife' "$tmp/out" && fail "csv: das Verhältnis steht im CSV"

measure --benchmark_color=false || fail "console: Rückgabewert $?"
grep -q '^BM_CLoop ' "$tmp/out" || fail "console: BM_CLoop fehlt in der Tabelle"
grep -q "$(printf '\033')" "$tmp/out" && fail "console: Farben trotz --benchmark_color=false"
grep -q 'C-Schleife' "$tmp/out" || fail "console: das Verhältnis fehlt"

if measure --benchmark_format=xml; then fail "xml: ein unbekanntes Format wird angenommen"; fi
exit 0
