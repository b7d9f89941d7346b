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

// The kind by what the file does, with its name and folder as hints:
// - the words of its lines count for a side: the client's (bind, the words the vocabulary knows
//   as the client's), the server's (sv_, mp_ and the words it knows as the server's) and an
//   add-on's (the words of Metamod, AMX Mod X and server plugins, and unknown words of one
//   prefix no stock word has: csdm_, pug_ …). Aliases, wait, say and the words both sides read
//   count for neither;
// - the name or folder (server.cfg, listenserver.cfg, game.cfg … the server's; amxx.cfg and
//   anything under addons/ an add-on's; config.cfg, autoexec.cfg, userconfig.cfg, valve.rc the
//   player's) adds to its side a third of the words counted, and at least two;
// - a side needs two words to win, an add-on's more than half of them; anything else is a
//   player's.
// `path` is relative to the game directory (DocumentContext works it out): the folders above the
// game directory say nothing. It may be empty (a new document); `vocabulary` may be null.
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
