#pragma once
// What a config is for: a player's own settings, a server's, or a server plugin's. The checks
// judge a word by it (a server variable does nothing in a player's config) and completion offers
// the server's words only where a server reads them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/ConsoleScript.h"

namespace brindle::editor {

enum class ConfigKind : std::uint8_t { Player, Server, Plugin };

// The kind by the file's name and folder, else by what it sets:
// - server.cfg, listenserver.cfg, game.cfg, game_init.cfg and the like are the server's; a file
//   in an add-on's folder (addons/…) or amxx.cfg is a plugin's; config.cfg, autoexec.cfg,
//   userconfig.cfg and valve.rc are the player's;
// - otherwise a file whose commands mostly share one prefix that no stock word has (csdm_,
//   pug_ …) is a plugin's, one with more server words (sv_, mp_ … or words the vocabulary knows
//   as the server's) than client words (bind, the client's variables) a server's, and anything
//   else a player's. Aliases, wait, say and words of no side count for neither.
// `path` may be empty (a new document); `vocabulary` may be null.
ConfigKind guessConfigKind(std::string_view path, std::string_view text,
                           const core::Vocabulary* vocabulary);

// "player", "server", "plugin": the names on the command line (--kind).
std::string_view configKindName(ConfigKind kind);
std::optional<ConfigKind> configKindFromName(std::string_view name);
// The Russian name shown to the user (UTF-8): "конфиг игрока" …
std::string_view configKindText(ConfigKind kind);

// The prefix of a word up to and with its first '_' ("csdm_" of "csdm_active"), letter case
// kept; empty when the word has no '_' after its first character or the part before it is not
// made of letters and digits.
std::string_view wordPrefix(std::string_view word);
// Whether a prefix is one of the engine's, the client's or the game's own (sv_, mp_, cl_,
// voice_ …), which no add-on owns.
bool isStockPrefix(std::string_view prefix);

}  // namespace brindle::editor
