// brindle-cli check: the editor's config checks on the command line, for editors and CI.
// Prints every problem as FILE:LINE:COLUMN: ошибка|предупреждение|замечание: text, or the same
// as JSON. Each file is checked as what it is (a player's, a server's or a plugin's config,
// guessed or given with --kind) together with the files the game runs around it, found in its
// game directory (the nearest folder above it that holds liblist.gam or is named cstrike, else
// its own folder; --game sets it: the mod folder or the game's folder that holds cstrike/). Files
// in UTF-8 are read as such, anything else as CP1251. Exit code: 2 when a file could not be read or
// the program's word data is missing, else 1 when an error was found, else 0.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/ConsoleScript.h"
#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/ConfigCheck.h"
#include "editor/logic/DocumentContext.h"
#include "editor/logic/ExecChain.h"
#include "editor/logic/FileKind.h"

namespace brindle::cli {

namespace {

namespace fs = std::filesystem;

void usage() {
  std::fputs(
      "Использование: brindle-cli check [--format text|json] [--kind player|server|plugin]\n"
      "                                 [--game ПАПКА_ИГРЫ] FILE...\n",
      stderr);
}

// Whether a text is UTF-8 with at least one character beyond ASCII: such a file is read as
// UTF-8; anything else, plain ASCII included, is CP1251 already.
bool isUtf8Text(std::string_view s) {
  bool wide = false;
  std::size_t i = 0;
  while (i < s.size()) {
    // Plain ASCII eight bytes at a time.
    if (i + 8 <= s.size()) {
      std::uint64_t chunk;
      std::memcpy(&chunk, s.data() + i, 8);
      if ((chunk & 0x8080808080808080ull) == 0) {
        i += 8;
        continue;
      }
    }
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t n = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
      n = 1;
      cp = c & 0x1Fu;
    } else if ((c & 0xF0) == 0xE0) {
      n = 2;
      cp = c & 0x0Fu;
    } else if ((c & 0xF8) == 0xF0) {
      n = 3;
      cp = c & 0x07u;
    } else {
      return false;
    }
    for (std::size_t k = 1; k <= n; ++k) {
      if (i + k >= s.size()) return false;
      const auto b = static_cast<unsigned char>(s[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3Fu);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    wide = true;
    i += n + 1;
  }
  return wide;
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool hasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

// '*' and '?' over one path component, letter case ignored as on the game's file system.
bool matches(std::string_view pattern, std::string_view name) {
  using core::asciiLower;
  std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || asciiLower(pattern[p]) == asciiLower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// The files an argument names: the file itself; every *.cfg of a folder; the matches of a
// wildcard in the last component (for shells that pass wildcards on, like the Windows one).
std::vector<std::string> filesOf(const std::string& arg) {
  std::error_code ec;
  if (fs::is_directory(arg, ec)) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(arg, ec))
      if (e.is_regular_file(ec) && matches("*.cfg", e.path().filename().string()))
        out.push_back(e.path().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  if (!hasWildcard(arg) || fs::exists(arg, ec)) return {arg};
  const fs::path pattern(arg);
  const fs::path dir = pattern.has_parent_path() ? pattern.parent_path() : fs::path(".");
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (e.is_regular_file(ec) && matches(pattern.filename().string(), e.path().filename().string()))
      out.push_back(
          (pattern.has_parent_path() ? dir / e.path().filename() : e.path().filename()).string());
  std::sort(out.begin(), out.end());
  return out;
}

// One problem as a JSON object on one line, its keys in a fixed order and written
// `"key": value, ...`, as tools reading the output expect. Bytes that are not UTF-8 (a word of a
// CP1251 file quoted in a message) become U+FFFD: the output stays valid JSON.
std::string jsonObject(const nlohmann::ordered_json& object) {
  constexpr auto kReplace = nlohmann::ordered_json::error_handler_t::replace;
  std::string out = "{";
  for (auto it = object.begin(); it != object.end(); ++it) {
    if (it != object.begin()) out += ", ";
    out += nlohmann::ordered_json(it.key()).dump(-1, ' ', false, kReplace);
    out += ": ";
    out += it.value().dump(-1, ' ', false, kReplace);
  }
  return out + "}";
}

bool write(const std::string& s) { return std::fwrite(s.data(), 1, s.size(), stdout) == s.size(); }

}  // namespace

int check(const std::vector<std::string>& args, const char* argv0) {
  bool json = false;
  std::optional<editor::ConfigKind> kind;
  std::string gameDir;
  std::vector<std::string> inputs;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--kind" || a.rfind("--kind=", 0) == 0 || a == "--game" ||
        a.rfind("--game=", 0) == 0) {
      const bool isKind = a.rfind("--kind", 0) == 0;
      std::string value;
      if (a == "--kind" || a == "--game") {
        if (i + 1 >= args.size()) {
          std::fprintf(stderr, "brindle-cli check: после %s укажите %s\n", a.c_str(),
                       isKind ? "player, server или plugin" : "папку игры");
          return 2;
        }
        value = args[++i];
      } else {
        value = a.substr(7);
      }
      if (isKind) {
        kind = editor::configKindFromName(value);
        if (!kind) {
          std::fprintf(stderr,
                       "brindle-cli check: неизвестный вид конфига \"%s\" (player, server, "
                       "plugin)\n",
                       value.c_str());
          return 2;
        }
      } else {
        if (!core::directoryExists(value)) {
          std::fprintf(stderr, "brindle-cli check: нет папки игры \"%s\"\n", value.c_str());
          return 2;
        }
        gameDir = value;
      }
    } else if (a == "--format" || a.rfind("--format=", 0) == 0) {
      std::string format;
      if (a == "--format") {
        if (i + 1 >= args.size()) {
          std::fputs("brindle-cli check: после --format укажите text или json\n", stderr);
          return 2;
        }
        format = args[++i];
      } else {
        format = a.substr(9);
      }
      if (format != "json" && format != "text") {
        std::fprintf(stderr, "brindle-cli check: неизвестный формат \"%s\"\n", format.c_str());
        return 2;
      }
      json = format == "json";
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      std::fprintf(stderr, "brindle-cli check: неизвестный ключ \"%s\"\n", a.c_str());
      usage();
      return 2;
    } else {
      inputs.push_back(a);
    }
  }
  if (inputs.empty()) {
    usage();
    return 2;
  }

  // Without its word data (a binary copied alone) every word would look unknown: say what is
  // missing instead of reporting the whole file.
  const core::KnownWords words = dictionary::readKnownWords(programDirectory(argv0));
  if (!words.missing.empty()) {
    std::string list;
    for (const std::string& m : words.missing) list += (list.empty() ? "" : ", ") + m;
    std::fprintf(stderr,
                 "brindle-cli check: нет данных программы рядом с ней (%s): без них проверка "
                 "невозможна\n",
                 list.c_str());
    return 2;
  }
  const core::Vocabulary vocabulary(words);

  bool unreadable = false;
  bool errors = false;
  bool first = true;
  bool ok = !json || write("[");
  for (const std::string& input : inputs) {
    const std::vector<std::string> files = filesOf(input);
    if (files.empty()) {
      std::fprintf(stderr, "brindle-cli check: %s: нет таких файлов\n", input.c_str());
      unreadable = true;
    }
    for (const std::string& file : files) {
      const core::ReadResult in = core::readFile(file);
      if (!in.ok) {
        std::fprintf(stderr, "brindle-cli check: %s\n", in.error.c_str());
        unreadable = true;
        continue;
      }
      // The game skips a byte-order mark; the text after it may be UTF-8.
      std::string text = std::move(in.data);
      const bool bom = text.compare(0, kBom.size(), kBom) == 0;
      if (isUtf8Text(text)) {
        text = bom ? std::string(kBom) + core::fromUtf8(std::string_view(text).substr(kBom.size()))
                   : core::fromUtf8(text);
      }
      editor::ContextRequest request;
      request.chosenGameDir = gameDir;
      request.forceChosen = !gameDir.empty();
      request.kind = kind;
      const editor::DocumentContext context =
          editor::documentContext(file, text, &vocabulary, request);
      editor::CheckOptions options;
      options.kind = context.kind;
      options.gameDirKnown = context.gameDirKnown;
      editor::DiskSource disk(context.gameDir);
      editor::CheckResult result =
          editor::checkInChain(text, context.relPath, disk, vocabulary, options);
      if (bom)
        for (editor::Problem& p : result.problems)
          if (p.line == 1 && p.column > 3) p.column -= 3;  // the mark is no character to see
      errors = errors || result.errorCount() > 0;
      // Written in pieces: a file with very many problems never holds all its output at once.
      std::string out;
      for (const editor::Problem& p : result.problems) {
        if (out.size() > (1u << 16)) {
          ok = ok && write(out);
          out.clear();
        }
        if (json) {
          out += first ? "\n  " : ",\n  ";
          first = false;
          const std::string_view severity = p.severity == editor::Severity::Error     ? "error"
                                            : p.severity == editor::Severity::Warning ? "warning"
                                                                                      : "note";
          out += jsonObject({{"file", file},
                             {"line", p.line},
                             {"column", p.column},
                             {"length", p.length},
                             {"severity", severity},
                             {"kind", editor::problemKindName(p.kind)},
                             {"message", p.message}});
        } else {
          out += file;
          out += ':';
          out += std::to_string(p.line);
          out += ':';
          out += std::to_string(p.column);
          out += ": ";
          out += editor::severityName(p.severity);
          out += ": ";
          out += p.message;
          out += '\n';
        }
      }
      ok = ok && write(out);
    }
  }
  if (json) ok = ok && write(first ? "]\n" : "\n]\n");
  if (!ok || std::fflush(stdout) != 0) {
    std::perror("brindle-cli check: запись в стандартный вывод");
    return 2;
  }
  if (unreadable) return 2;
  return errors ? 1 : 0;
}

}  // namespace brindle::cli
