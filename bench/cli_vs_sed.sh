#!/bin/sh
# brindle-cli clean beside GNU sed doing the same seven substitutions, on one generated config,
# in one run: wall time (median of interleaved runs) and peak memory (largest resident set) of
# each whole process, cleaning a file in place and cleaning standard input to standard output.
# The outputs of the two are compared first. With MODE check, `brindle-cli check FILE` (all its
# reports written to /dev/null) beside sed's substitutions of the same file to /dev/null.
#
#   bench/cli_vs_sed.sh [BUILD_DIR [MEGABYTES [RUNS [MODE]]]]  (defaults: build 20 7 clean)
#
# Needs GNU time (/usr/bin/time, Debian package "time").
set -eu
build=${1:-build}
megabytes=${2:-20}
runs=${3:-7}
mode=${4:-clean}
cli="$build/brindle-cli"
[ -x "$cli" ] || { echo "no $cli; build brindle-cli first" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "GNU time is missing (apt-get install time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Typical lines with the blanks and semicolons the clean-up removes, CR LF breaks, whole lines.
awk -v bytes=$((megabytes * 1024 * 1024)) 'BEGIN {
  l[0] = "bind \"MOUSE1\" \"+attack \""; l[1] = "alias +jd \"+jump;  +duck; \";"
  l[2] = "sensitivity   \"2.5\" ;; "; l[3] = "cl_updaterate \"101\";"
  l[4] = "// comment   with   blanks ;"; l[5] = "alias q \"b; c;\""
  for (i = 0; size < bytes; i++) { s = l[i % 6] "\r\n"; printf "%s", s; size += length(s) }
}' > "$work/input.cfg"

# The seven substitutions, each until none is left, for lines that end with CR.
cat > "$work/clean.sed" <<'SED'
s/  */ /g
s/;*\r$/\r/
s/ *\r$/\r/
s/; */;/g
s/;*"/"/g
s/;;*/;/g
s/ *"\r$/"\r/
SED

cp "$work/input.cfg" "$work/sed.cfg"
sed -i -f "$work/clean.sed" "$work/sed.cfg"
cp "$work/input.cfg" "$work/cli.cfg"
"$cli" clean "$work/cli.cfg"
if cmp -s "$work/sed.cfg" "$work/cli.cfg"; then same=yes; else same=NO; fi

# One measurement: "seconds kilobytes" of the command (wall clock in nanoseconds around it,
# since GNU time counts hundredths only; its peak resident set).
measure() {
  start=$(date +%s%N)
  /usr/bin/time -f "%M" -o "$work/time.txt" "$@" > /dev/null
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 ))e-6 $(cat "$work/time.txt")"
}

if [ "$mode" = check ]; then
  # The clean configuration the check reads: every line known, nothing to report but the keys
  # and aliases the lines define again and again.
  "$cli" check "$work/input.cfg" > "$work/check.txt" || true
  : > "$work/results.txt"
  i=0
  while [ $i -lt "$runs" ]; do
    echo "cli-check $(measure sh -c "exec \"$cli\" check \"$work/input.cfg\" > /dev/null")" >> "$work/results.txt"
    echo "sed-check $(measure sh -c "exec sed -f \"$work/clean.sed\" \"$work/input.cfg\" > /dev/null")" >> "$work/results.txt"
    i=$((i + 1))
  done
  size=$(wc -c < "$work/input.cfg")
  cli_t=$(awk '$1 == "cli-check" { print $2 }' "$work/results.txt" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
  sed_t=$(awk '$1 == "sed-check" { print $2 }' "$work/results.txt" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
  cli_m=$(awk '$1 == "cli-check" && $3 > m { m = $3 } END { print m }' "$work/results.txt")
  awk -v ct="$cli_t" -v st="$sed_t" -v cm="$cli_m" -v size="$size" -v reports="$(wc -l < "$work/check.txt")" 'BEGIN {
    printf "input: %d bytes, %d reports | brindle-cli check %.3f s (%.0f MB/s), %.1f MB peak | sed %.3f s | time ratio %.3f\n",
      size, reports, ct, size / ct / 1048576, cm / 1024, st, (st > 0 ? ct / st : 0)
  }'
  exit 0
fi


: > "$work/results.txt"
i=0
while [ $i -lt "$runs" ]; do
  cp "$work/input.cfg" "$work/a.cfg"
  echo "cli-file $(measure "$cli" clean "$work/a.cfg")" >> "$work/results.txt"
  cp "$work/input.cfg" "$work/b.cfg"
  echo "sed-file $(measure sed -i -f "$work/clean.sed" "$work/b.cfg")" >> "$work/results.txt"
  echo "cli-pipe $(measure sh -c "exec \"$cli\" clean - < \"$work/input.cfg\"")" >> "$work/results.txt"
  echo "sed-pipe $(measure sh -c "exec sed -f \"$work/clean.sed\" < \"$work/input.cfg\"")" >> "$work/results.txt"
  i=$((i + 1))
done

size=$(wc -c < "$work/input.cfg")
echo "input: $size bytes, $runs runs each, outputs identical: $same"
# Median time and largest peak memory of each kind.
for kind in file pipe; do
  cli_t=$(awk -v k="cli-$kind" '$1 == k { print $2 }' "$work/results.txt" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
  sed_t=$(awk -v k="sed-$kind" '$1 == k { print $2 }' "$work/results.txt" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
  cli_m=$(awk -v k="cli-$kind" '$1 == k && $3 > m { m = $3 } END { print m }' "$work/results.txt")
  sed_m=$(awk -v k="sed-$kind" '$1 == k && $3 > m { m = $3 } END { print m }' "$work/results.txt")
  awk -v kind="$kind" -v ct="$cli_t" -v st="$sed_t" -v cm="$cli_m" -v sm="$sed_m" -v size="$size" 'BEGIN {
    printf "%-5s brindle-cli %.3f s, %.1f MB peak (%.2f x file) | sed %.3f s, %.1f MB peak | time ratio %.3f\n",
      kind, ct, cm / 1024, cm * 1024 / size, st, sm / 1024, (st > 0 ? ct / st : 0)
  }'
done
