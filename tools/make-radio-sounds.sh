#!/bin/sh
# Speaks the radio phrases of the wizard's radio list into examples/cstrike/sound/radio/*.wav,
# so that the sound preview on the wizard's key page can be tried without the game.
#
# Each phrase is spoken by espeak-ng in English with a fixed voice, speed and pitch, then
# narrowed to a radio's band and normalised by sox, without dither, as 11025 Hz 16-bit mono PCM.
# Nothing random enters, so the same package versions write the same bytes.
#
# Usage: tools/make-radio-sounds.sh [OUTPUT_DIRECTORY]
#
# Installs nothing. Debian packages it needs: espeak-ng, sox.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out="${1:-$root/examples/cstrike/sound/radio}"

for tool in espeak-ng sox; do
    command -v "$tool" >/dev/null 2>&1 || { echo "make-radio-sounds.sh: $tool not found" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
mkdir -p "$out"

# File name (without .wav) <TAB> spoken phrase, in the order of the radio list.
phrases='fallback	Team, fall back!
com_getinpos	Get in position and wait for my go.
com_go	Go, go, go!
com_reportin	Report in, team.
sticktog	Stick together, team.
stormfront	Storm the front!
enemydown	Enemy down.
ct_enemys	Enemy spotted.
ct_inpos	I am in position.
ct_backup	Need backup.
negative	Negative.
ct_reportingin	Reporting in.
roger	Roger that.
clear	Sector clear.
blow	Get out of there, she is gonna blow!
ct_coverme	Cover me!
followme	Follow me.
position	Hold this position.
regroup	Regroup, team.
fireassis	Taking fire, need assistance!
takepoint	You take the point.'

printf '%s\n' "$phrases" | while IFS='	' read -r name text; do
    espeak-ng -v en-us -s 165 -p 40 -a 160 -w "$tmp/$name.wav" "$text"
    sox -D "$tmp/$name.wav" -r 11025 -c 1 -b 16 -e signed-integer "$out/$name.wav" \
        gain -6 highpass 300 lowpass 3400 norm -3
    echo "$out/$name.wav"
done
