#include "editor/logic/FileKind.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "core/Text.h"

namespace brindle::editor {

namespace {

using core::asciiLower;

std::string lowered(std::string_view s) { return core::asciiLower(s); }

// Prefixes of the engine's, the client's and the game's own words: a file full of them is no
// plugin's config.
constexpr std::array<std::string_view, 24> kStockPrefixes = {
    "sv_",    "mp_",  "cl_",  "hud_", "gl_",   "r_", "s_",  "m_",   "con_", "net_", "scr_",  "vid_",
    "voice_", "bot_", "joy_", "sys_", "host_", "v_", "fs_", "hpk_", "d_",   "ex_",  "spec_", "sp_"};

// Words of a server's config that have no sv_/mp_ prefix.
constexpr std::array<std::string_view, 12> kServerWords = {
    "hostname",      "rcon_password",  "pausable",     "motdfile",
    "log",           "decalfrequency", "edgefriction", "allow_spectators",
    "servercfgfile", "mapcyclefile",   "maxplayers",   "banid"};

// The file name and the folders of a path relative to the game directory, lower case.
struct PathParts {
  std::string name;
  std::string folders;  // with '/' separators, a leading and a trailing '/'
};
PathParts partsOf(std::string_view path) {
  std::string p = lowered(path);
  std::replace(p.begin(), p.end(), '\\', '/');
  const std::size_t slash = p.rfind('/');
  if (slash == std::string::npos) return {p, ""};
  return {p.substr(slash + 1), "/" + p.substr(0, slash + 1)};
}

// What the name and the folder say, when they say anything: the files the game and its server
// run by these names (see gameStartFiles in ExecChain.h), and the folder the server's add-ons
// live in (Metamod reads its list of them from the game directory's addons/metamod/plugins.ini:
// PLUGINS_INI in Metamod's metamod.h).
std::optional<ConfigKind> hintOf(std::string_view path) {
  const PathParts parts = partsOf(path);
  for (const std::string_view name : {"server.cfg", "listenserver.cfg", "game.cfg", "game_init.cfg",
                                      "rehlds.cfg", "listip.cfg", "banned.cfg"})
    if (parts.name == name) return ConfigKind::Server;
  if (parts.name == "amxx.cfg" || parts.folders.find("/addons/") != std::string::npos)
    return ConfigKind::Plugin;
  for (const std::string_view name : {"config.cfg", "autoexec.cfg", "userconfig.cfg", "valve.rc"})
    if (parts.name == name) return ConfigKind::Player;
  return std::nullopt;
}

// Whether a word comes from a server add-on rather than the engine, the client or the game.
bool pluginOrigin(std::string_view origin) {
  return origin == "amxmodx" || origin == "metamod" || origin.rfind("plugin:", 0) == 0;
}

// Counts the words that tell a side: the client's (bind, the client's words), the server's (the
// engine's and the game's server words, sv_ and mp_ names) and an add-on's (the words of
// Metamod, AMX Mod X and server plugins, and unknown words of a prefix no stock word has).
// Aliases, wait, say and the words both sides read tell nothing.
class Counter : public core::ScriptVisitor {
 public:
  explicit Counter(const core::Vocabulary* vocabulary) : vocabulary_(vocabulary) {}
  std::size_t server = 0;
  std::size_t client = 0;
  std::size_t addOn = 0;                                  // known words of add-ons
  std::unordered_map<std::string, std::size_t> prefixes;  // unknown words by add-on prefix

  void command(std::string_view script, const core::ScriptCommand& cmd) override {
    if (cmd.depth != 0 || cmd.words.empty()) return;
    const std::string_view name = cmd.name(script);
    const std::string_view prefix = wordPrefix(name);
    const core::Vocabulary::Known known =
        vocabulary_ ? vocabulary_->lookup(name) : core::Vocabulary::Known{};
    const bool amx = core::sameName(prefix, "amx_") || core::sameName(prefix, "amxx_");
    if ((known.info && pluginOrigin(known.info->origin)) || (amx && !known.info)) {
      ++addOn;
      return;
    }
    if (core::sameName(name, "bind") || core::sameName(name, "unbind") ||
        known.side == core::WordSide::Client) {
      ++client;
    } else if (known.side == core::WordSide::Server || core::sameName(prefix, "sv_") ||
               core::sameName(prefix, "mp_") ||
               std::any_of(kServerWords.begin(), kServerWords.end(),
                           [&](std::string_view w) { return core::sameName(w, name); })) {
      ++server;
    } else if (!known.command && !known.variable && !prefix.empty() && !isStockPrefix(prefix)) {
      ++prefixes[lowered(prefix)];
    }
  }

 private:
  const core::Vocabulary* vocabulary_;
};

}  // namespace

std::string_view wordPrefix(std::string_view word) {
  const std::size_t underscore = word.find('_', 1);
  if (underscore == std::string_view::npos || underscore + 1 >= word.size()) return {};
  for (std::size_t i = 0; i < underscore; ++i) {
    const auto c = static_cast<unsigned char>(word[i]);
    if (!((c >= '0' && c <= '9') || core::isAsciiLetter(word[i]))) return {};
  }
  return word.substr(0, underscore + 1);
}

bool isStockPrefix(std::string_view prefix) {
  return std::any_of(kStockPrefixes.begin(), kStockPrefixes.end(),
                     [&](std::string_view p) { return core::sameName(p, prefix); });
}

ConfigKind guessConfigKind(std::string_view path, std::string_view text,
                           const core::Vocabulary* vocabulary) {
  // What the file sets shows in its first lines: a long file is judged by its first 64 KB.
  constexpr std::size_t kSample = 64 * 1024;
  if (text.size() > kSample) {
    const std::size_t cut = text.find_first_of("\r\n", kSample);
    text = text.substr(0, cut);
  }
  Counter counter(vocabulary);
  core::ScriptScanner().scan(text, counter);
  // Unknown words of one add-on prefix are that add-on's; unknown words of many prefixes are no
  // one add-on's (a client build of its own writes such variables into a player's config.cfg).
  std::size_t top = 0;
  for (const auto& [prefix, count] : counter.prefixes) top = std::max(top, count);
  std::array<std::size_t, 3> score = {counter.client, counter.server, counter.addOn + top};
  const std::size_t total = score[0] + score[1] + score[2];
  // The name and the folder weigh as much as a third of what the file sets, and never less than
  // two words: a server.cfg that binds a key stays the server's, a config.cfg with a few server
  // variables the player's, but a file whose lines all say otherwise is what they say.
  const std::optional<ConfigKind> hint = hintOf(path);
  if (hint) score[static_cast<std::size_t>(*hint)] += 2 + total / 3;
  const std::size_t all = score[0] + score[1] + score[2];
  const auto player = score[static_cast<std::size_t>(ConfigKind::Player)];
  const auto server = score[static_cast<std::size_t>(ConfigKind::Server)];
  const auto plugin = score[static_cast<std::size_t>(ConfigKind::Plugin)];
  // One word is no evidence: a player's file with one bot variable stays a player's.
  if (plugin >= 2 && plugin * 2 > all) return ConfigKind::Plugin;
  if (server >= 2 && server > player && server >= plugin) return ConfigKind::Server;
  if (plugin >= 2 && plugin > player) return ConfigKind::Plugin;
  return ConfigKind::Player;
}

std::string_view configKindName(ConfigKind kind) {
  switch (kind) {
    case ConfigKind::Player:
      return "player";
    case ConfigKind::Server:
      return "server";
    case ConfigKind::Plugin:
      return "plugin";
  }
  return "player";
}

std::optional<ConfigKind> configKindFromName(std::string_view name) {
  for (const ConfigKind kind : {ConfigKind::Player, ConfigKind::Server, ConfigKind::Plugin})
    if (configKindName(kind) == name) return kind;
  return std::nullopt;
}

std::string_view configKindText(ConfigKind kind) {
  switch (kind) {
    case ConfigKind::Player:
      return "конфиг игрока";
    case ConfigKind::Server:
      return "конфиг сервера";
    case ConfigKind::Plugin:
      return "конфиг плагина";
  }
  return "конфиг игрока";
}

}  // namespace brindle::editor
