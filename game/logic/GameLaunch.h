#pragma once
// Preparing the game to run the document: the game's config.cfg is set aside as "config" and
// replaced by a three-line loader that executes the document, the previous configuration and
// the document again.
#include <string>
#include <string_view>
#include <vector>

namespace brindle::game {

inline constexpr std::size_t kModFolderLength = 8;  // length of "\cstrike"
// The copy in the game directory that the loader runs for a document it cannot name itself.
inline constexpr std::string_view kRunCopyName = "brindle_run.cfg";

// The game directory less its last eight characters (the mod folder), or empty.
std::string gameRootOf(std::string_view gameDir);

// The loader text for a document file name: "exec <name>", "exec config", "exec <name>".
std::string loaderText(std::string_view documentName);

// Whether a config.cfg text is a loader this program wrote.
bool isLoader(std::string_view configText);

struct LaunchPreparation {
  bool ok = false;
  std::string error;     // the system's text when config.cfg could not be written
  std::string gameRoot;  // working directory for the game program
};

// Renames config.cfg to config and writes the loader. When config.cfg is still the loader of
// an earlier launch (the game has not run since), "config" already holds the user's previous
// configuration and is left alone. A document outside the game directory, or named config.cfg
// or config, is copied into the game directory as kRunCopyName and the loader runs that copy.
// The launch stops, touching nothing more, when config.cfg cannot be set aside or when the
// document is the game's `config` itself.
LaunchPreparation prepareGameLaunch(const std::string& gameDir, const std::string& documentPath);

// Candidate game programs in the game root, in the order they are tried: the native start
// script and binary first on Linux, then the Windows program.
std::vector<std::string> gameProgramCandidates();

}  // namespace brindle::game
