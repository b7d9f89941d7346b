#pragma once
// The state the config checks share while they read one text: private to the Check*.cpp files.
// ConfigCheck.cpp walks the commands and hands each to the check of its concern: aliases
// (CheckAliases.cpp), keys and binds (CheckKeys.cpp), setinfo and the user-info string
// (CheckUserinfo.cpp), words and their sides (CheckWords.cpp); CheckChain.cpp feeds it the file
// of an exec chain.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ConsoleScript.h"
#include "core/Cp1251.h"
#include "editor/logic/ConfigCheck.h"

namespace brindle::editor::check {

using core::Offset;

// A word in guillemets for a message (UTF-8).
inline std::string q(std::string_view cp1251) { return "«" + core::toUtf8(cp1251) + "»"; }
inline std::string number(std::size_t n) { return std::to_string(n); }
inline std::size_t at(Offset o) { return static_cast<std::size_t>(o); }

// Russian plural of a count: 1 переменная, 2 переменные, 5 переменных.
std::string countOf(std::size_t n, std::string_view one, std::string_view few,
                    std::string_view many);

// Line and column numbers of offsets taken in increasing order: one walk over the text, however
// many offsets.
class LineCounter {
 public:
  explicit LineCounter(std::string_view text) : text_(text) {}
  // The line (from 0) of an offset no smaller than the last one asked; the start of that line
  // in lineStart().
  Offset lineOf(Offset offset);
  Offset lineStart() const { return start_; }

 private:
  std::string_view text_;
  Offset pos_ = 0;
  Offset line_ = 0;
  Offset start_ = 0;
};

// Whether the text is a config.cfg the game wrote itself (Host_WriteConfiguration,
// rehlds/engine/host.cpp): its header line, or its shape, `unbindall` first and
// `exec userconfig.cfg` last.
bool isGameWritten(std::string_view text);

// Whether the text is no console script but a file read in its own format, by a server plugin
// or by the game's options dialog: most of its lines are "[section]", "key = value" or the
// braces of a block, or it has '#' or ';' comments all through and lines no console command
// starts like ("KEY 1", "-1,0,2"). Where such a line starts, for the one note; -1 when the text
// is a console script.
// Keys that are a console word count as console lines (a "sensitivity = 2" mistake).
Offset ownFormatStart(std::string_view text, const core::Vocabulary& vocabulary);
// Whether the text is the configuration of a relay proxy (hltv.cfg) by its commands.
bool isRelayConfig(std::string_view text, const core::Vocabulary& vocabulary);
// Where the first of the lines starting with '#' is, in a file that comments with '#' all
// through (at least three such lines, never "//"); -1 otherwise.
Offset hashCommentStart(std::string_view text);

class Checker : public core::ScriptVisitor {
 public:
  Checker(const core::Vocabulary& vocabulary, bool lineOnly, const CheckOptions& options);

  void command(std::string_view script, const core::ScriptCommand& cmd) override;
  // An exec of the text that runs nothing. `through`: the loop closes in another file that
  // this exec runs.
  void execTrouble(const ExecLine& exec, ExecTrouble trouble, bool quiet, bool through);
  CheckResult finish(std::string_view text);
  void setChainAliases(const core::NameSet* aliases) { chainAliases_ = aliases; }
  // Whether a command word of the text is no known command or variable (maybe an alias).
  bool hasUnknownWords() const { return !candidates_.empty(); }
  // Looks at the whole text before its commands come: whether the game wrote it, whether it is a
  // console script at all. False for a file in a plugin's own format, which has its one note
  // then and whose commands are not to be checked.
  bool begin(std::string_view text);

 private:
  // Names are views into the text being checked, which outlives the checker.
  struct AliasDef {
    std::string_view name;
    Offset offset = 0;
    Offset length = 0;
    bool waitSeen = false;
    std::vector<std::string_view> calls;       // command names of its value up to the first wait
    std::vector<std::string_view> laterCalls;  // those after it
  };
  // A command word no list knows.
  struct Candidate {
    Offset offset = 0;  // the word as written (with quotes)
    Offset length = 0;
    Offset textOffset = 0;  // the word as the console reads it
    Offset textLength = 0;
    int depth = 0;          // 0 on a line of its own, more inside an alias or bind
    std::size_t words = 0;  // words of its command
  };
  struct KeyUse {
    Offset offset = 0;  // the key word of the bind
    Offset length = 0;
    std::string_view key;  // as written there
  };
  struct Rebind {
    KeyUse earlier;
    Offset later = 0;
  };

  void add(Offset offset, Offset length, Severity severity, ProblemKind kind, std::string message);
  bool knownAlias(std::string_view word, const core::NameSet& aliases) const;

  // CheckAliases.cpp
  void alias(std::string_view script, const core::ScriptCommand& cmd);
  void unpairedAliases(const core::NameSet& aliases);
  void cycles();
  // CheckKeys.cpp
  void key(std::string_view script, const core::ScriptCommand& cmd, bool unbind);
  void unbindAll();
  void rebinds(std::string_view text);
  // CheckUserinfo.cpp
  void setinfo(std::string_view script, const core::ScriptCommand& cmd);
  void userinfo(std::string_view key, std::string_view value, const core::ScriptCommand& cmd);
  static bool isImportantKey(std::string_view name);
  // CheckWords.cpp
  void side(std::string_view name, const core::Vocabulary::Known& known, const core::ScriptWord& w);
  void equalsSign(std::string_view script, const core::ScriptCommand& cmd);
  void unknownWords(std::string_view text, const core::NameSet& aliases);
  std::string suggestion(std::string_view word, const core::NameSet& aliases);

  const core::Vocabulary& vocabulary_;
  const bool lineOnly_;
  const CheckOptions options_;
  const core::NameSet* chainAliases_ = nullptr;
  bool gameWritten_ = false;
  // A plugin's file that comments with '#' all through: the plugin reads it and skips them.
  bool hashComments_ = false;
  // The configuration of a relay proxy (hltv.cfg): a program of its own, with its own words
  // and some of the client's (HLTV/Proxy/src/Proxy.cpp of ReHLDS registers name, rate …).
  bool relay_ = false;
  std::vector<Problem> problems_;

  std::vector<AliasDef> defs_;
  std::unordered_map<std::string_view, std::size_t, core::NoCaseHash, core::NoCaseEqual> firstDef_;
  std::array<long, core::ScriptScanner::kMaxDepth + 1> lastDef_{};
  std::vector<Candidate> candidates_;
  // Keys by Key_StringToKeynum: one character exactly, longer names without regard to case.
  std::array<KeyUse, 256> singleBinds_{};
  std::unordered_map<std::string_view, KeyUse, core::NoCaseHash, core::NoCaseEqual> longBinds_;
  std::vector<Rebind> rebinds_;
  std::unordered_map<std::string, std::size_t> info_;
  std::size_t infoLength_ = 0;
  bool infoReported_ = false;
  Offset lastComment_ = -1;
  std::unordered_map<std::string, std::string> suggestions_;
};

}  // namespace brindle::editor::check
