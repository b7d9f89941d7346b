#!/usr/bin/env bash
# Time from process start to a visible main window, for Brindle and for a bare Qt window,
# interleaved run by run on a virtual display with a real window manager; prints every run and
# the medians. Usage: bench/startup/measure.sh [RUNS] (from the repository root, after a build
# into build/; needs xvfb, openbox, xdotool and the Qt development files).
set -eu
runs=${1:-15}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT

g++ -O2 -fPIC "$here/bare_window.cpp" $(pkg-config --cflags --libs Qt6Widgets) -o "$work/bare"
# A program directory of its own, with a game directory already chosen.
cp -r "$root/build/brindle" "$root/build/dlls" "$root/build/help" "$root/build/words" "$work/"
# The sound module too, though a start does not load it.
cp "$root"/build/brindle_sound.* "$work/" 2>/dev/null || true
printf '[Game]\r\ndadir=1\r\nCatalog=%s\r\n' "$root/examples/cstrike" > "$work/Zarurud.INI"

export DISPLAY=:77
Xvfb :77 -screen 0 1280x1024x24 >/dev/null 2>&1 &
sleep 1
openbox >/dev/null 2>&1 &
sleep 1

# Milliseconds until a window whose title contains $1 is visible.
until_visible() {
  local name=$1; shift
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  local pid=$!
  until xdotool search --onlyvisible --name "$name" >/dev/null 2>&1; do sleep 0.005; done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

: > "$work/bare.txt"; : > "$work/brindle.txt"
# How busy the machine is matters: other work stretches both programs' times unevenly.
echo "before: $(cut -d' ' -f1-3 /proc/loadavg) (load averages over 1, 5, 15 minutes; $(nproc) cores)"
for ((i = 1; i <= runs; i++)); do
  b=$(until_visible bare-qt "$work/bare")
  m=$(until_visible 'Brindle for' "$work/brindle")
  echo "run $i: bare $b ms, Brindle $m ms"
  echo "$b" >> "$work/bare.txt"; echo "$m" >> "$work/brindle.txt"
done
echo "after: $(cut -d' ' -f1-3 /proc/loadavg)"
bare=$(median < "$work/bare.txt"); brindle=$(median < "$work/brindle.txt")
# Each run's own ratio, too: side by side, the two runs of a pair share the machine's state.
ratio=$(paste "$work/brindle.txt" "$work/bare.txt" | awk '{printf "%.3f\n", $1 / $2}' | median)
echo "median of the per-run ratios: $ratio"
echo "median: bare $bare ms, Brindle $brindle ms, ratio $(awk -v a="$brindle" -v b="$bare" 'BEGIN {printf "%.2f", a / b}')"
