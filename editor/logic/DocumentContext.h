#pragma once
// Where a config lies among the game's files and what it is for: its game directory, its path
// relative to that directory, and its kind. The editor, the problem window, the overview windows
// and every command of brindle-cli work it out here, the same way, so that one file is judged
// alike wherever it is opened.
//
// The game runs a config by its path relative to the game directory (the mod folder, cstrike/):
// `exec` looks names up there (rehlds/engine/cmd.cpp, Cmd_Exec_f). So the folders above the game
// directory mean nothing to the game, and nothing here looks at them: a player's config.cfg in
// /home/u/addons/Half-Life/cstrike/ is judged as cstrike/config.cfg.
#include <optional>
#include <string>
#include <string_view>

#include "editor/logic/FileKind.h"

namespace brindle::core {
class Vocabulary;
}

namespace brindle::editor {

// The game directory a user names (a --game option, the program's chosen directory): the mod
// folder itself, or the game's folder that holds it (Half-Life/, holding cstrike/). A folder
// that holds liblist.gam or is named cstrike is the mod folder; otherwise its subfolder cstrike
// (letter case ignored), when there is one. Anything else is returned as given. UTF-8 paths.
std::string resolveGameDir(const std::string& dir);

// The game directory of a config file by the file's place alone: the nearest folder above the
// file (its own folder first) that holds liblist.gam or is named cstrike (letter case ignored);
// the file's own folder when there is none (then `found`, when given, is set to false). The path
// is made absolute, and "." and ".." are taken away as written, before the search.
std::string findGameDir(const std::string& filePath, bool* found = nullptr);
// Whether `filePath` lies inside `dir` (at any depth): as written, or else once links are
// followed (a file opened through a link to the game's folder lies in it all the same).
bool isInside(const std::string& dir, const std::string& filePath);
// The path of `filePath` relative to `gameDir` with '/' separators, as `isInside` finds it; the
// file name alone when the file is not inside it.
std::string relativeToGame(const std::string& gameDir, const std::string& filePath);

// What the caller knows besides the file's path.
struct ContextRequest {
  // The game directory the user chose (the program's game directory, or --game), as the user
  // names it (see resolveGameDir); empty when none.
  std::string chosenGameDir;
  // The chosen directory holds the file for the game even when the file lies elsewhere (--game
  // on the command line: "check this file as a file of that game directory"). Otherwise the
  // chosen directory counts only for a file inside it whose place names no game directory.
  bool forceChosen = false;
  // The kind the user chose; guessed from the text when empty.
  std::optional<ConfigKind> kind;
};

struct DocumentContext {
  std::string gameDir;  // absolute, without "." and ".."; empty for a document without a file
  // The game directory is the game's: found by its place, or chosen by the user. False when it
  // is only the file's own folder.
  bool gameDirKnown = false;
  bool insideGame = false;  // the file lies inside gameDir
  // The path relative to gameDir ('/'-separated) for a file inside it, else the file name.
  std::string relPath;
  ConfigKind kind = ConfigKind::Player;
  bool kindGuessed = true;  // false: the user chose the kind
};

// Where the config at `path` lies: the context without its kind (left a player's, guessed). It
// looks at the disk; the kind only at the text, so a caller that checks one file again and
// again finds its place once.
DocumentContext locateDocument(const std::string& path, const ContextRequest& request = {});
// The kind of a located document with the text `text` (CP1251): the user's choice, else
// guessed from the text with the path as a hint.
void judgeDocument(DocumentContext& context, std::string_view text,
                   const core::Vocabulary* vocabulary, std::optional<ConfigKind> chosen);

// The context of the config at `path` (UTF-8; empty for a document not saved yet) with the text
// `text` (CP1251). `vocabulary` tells the sides of the words (may be null).
DocumentContext documentContext(const std::string& path, std::string_view text,
                                const core::Vocabulary* vocabulary,
                                const ContextRequest& request = {});

}  // namespace brindle::editor
