#!/bin/sh
# brindle-cli metabind on generated MetaBinds of 1, 10 and 30 MB (two keys, filled by the
# replace-all rule), and on a 32 MB file of nothing but line breaks (the INI scan for the
# trailer's name): wall time and peak memory (largest resident set) of the whole process.
#
#   bench/cli_metabind.sh [BUILD_DIR]      (default: build)
#
# Needs GNU time (/usr/bin/time, Debian package "time").
set -eu
build=${1:-build}
cli="$build/brindle-cli"
[ -x "$cli" ] || { echo "no $cli; build brindle-cli first" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "GNU time is missing (apt-get install time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

metabind() {  # metabind MEGABYTES FILE
  awk -v bytes=$(($1 * 1024 * 1024)) 'BEGIN {
    l[0] = "alias +jd \"+jump; +duck\""; l[1] = "alias -jd \"-jump; -duck\""
    l[2] = "bind <<1>> +jd"; l[3] = "bind <<2>> \"say <<1>> jumps\""
    l[4] = "// <<10>> is no slot of this script"
    for (i = 0; size < bytes; i++) { s = l[i % 5] "\r\n"; printf "%s", s; size += length(s) }
    printf "\r\n[MetaBind]\r\nname=Bench\r\nbut=2\r\n"
  }' > "$2"
}

run() {  # run LABEL FILE ARGS...
  label=$1
  file=$2
  shift 2
  start=$(date +%s%N)
  status=0
  /usr/bin/time -f "%M" -o "$work/time.txt" "$cli" metabind "$file" "$@" > /dev/null 2>&1 || status=$?
  end=$(date +%s%N)
  awk -v l="$label" -v ns=$((end - start)) -v kb="$(cat "$work/time.txt" | tail -1)" \
      -v size="$(wc -c < "$file")" -v st=$status 'BEGIN {
    printf "%-22s %6.1f MB  %7.3f s  %6.1f MB peak (%.2f x file)  exit %d\n",
      l, size / 1048576, ns / 1e9, kb / 1024, kb * 1024 / size, st
  }'
}

for mb in 1 10 30; do
  metabind $mb "$work/m$mb.mtb"
  run "metabind, 2 keys" "$work/m$mb.mtb" MOUSE1 SPACE
done
head -c $((32 * 1024 * 1024)) /dev/zero | tr '\0' '\n' > "$work/breaks.mtb"
run "only line breaks" "$work/breaks.mtb" SPACE
