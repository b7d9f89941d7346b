#!/bin/bash
# Regenerates data/words/ from git checkouts of the public sources, all in one folder, each
# named OWNER+NAME (git clone https://github.com/rehlds/ReHLDS SRC/rehlds+ReHLDS, and so on).
# A checkout that is no git work tree names its commit in a file beside it,
# SRC/OWNER+NAME.commit.
set -euo pipefail
src=${1:?usage: tools/words/gather-all.sh SRC_FOLDER}
root=$(cd "$(dirname "$0")/../.." && pwd)

# OWNER/NAME=PATH@COMMIT for a checkout in $src.
checkout_argument() {
  local dir="$src/${1/\//+}" commit=""
  [[ -d "$dir" || -f "$dir" ]] || { echo "missing checkout: $dir" >&2; exit 1; }
  [[ -f "$src/${1/\//+}.commit" ]] && commit="@$(cat "$src/${1/\//+}.commit")"
  echo "$1=$dir${2:+/$2}$commit"
}

args=(--out "$root/data/words" --reference "$root/tools/words/classic-names"
  --rehlds "$(checkout_argument rehlds/ReHLDS)"
  --regamedll "$(checkout_argument rehlds/ReGameDLL_CS)"
  --halflife "$(checkout_argument ValveSoftware/halflife)"
  --metamod "$(checkout_argument theAsmodai/metamod-r)"
  --amxmodx "$(checkout_argument alliedmodders/amxmodx)"
  --xash "$(checkout_argument FWGS/xash3d-fwgs)"
  --cs16client "$(checkout_argument Velaron/cs16-client)")

# Configs the game wrote itself (their variables are the client's archived ones).
for file in eallion/CS1.6GUI:cstrike/config.cfg Drakunovu/csbase:cstrike/config.cfg \
  Ferid612/Counter-Strike-1.6:cstrike/config.cfg VanillaBase1lb/game_config:cs16/config.cfg \
  domsson/game-configs:cs/config.cfg notaLonelyDay/config1.6:cstrike/config.cfg \
  duytoan910/CS1.6-Client-Reapi:cstrike/config.cfg hovara/config:cs16/config.cfg \
  luc4sFr/cslinux:cstrike/config.cfg erbelion/cs-config:cs16/config.cfg \
  YossyFPS/cfg:cs1.6/config.cfg; do
  args+=(--gamewritten "$(checkout_argument "${file%%:*}" "${file#*:}")")
done

# Common public server plugins: NAME=OWNER/REPO.
for plugin in YaPB=yapb/yapb CSDM=SmileYzn/CSDM MatchBot=SmileYzn/MatchBot \
  ChatAdditions=ChatAdditions/ChatAdditions_AMXX ReDeathmatch=ReDeathmatch/ReDeathmatch_AMXX \
  RePugMod=SmileYzn/RePugMod PugMod=yuyiken/PugMod AMX_Super=bmann420/AMX-Super \
  GunGame=xLeviNx/GunGame VoiceTranscoder=WPMGPRoSToTeMa/VoiceTranscoder; do
  args+=(--plugin "${plugin%%=*}=$(checkout_argument "${plugin#*=}")")
done

python3 "$root/tools/gather-words.py" "${args[@]}"
