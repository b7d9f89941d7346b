// brindle-cli check: the editor's config checks on the command line, for editors and CI.
// Prints every problem as FILE:LINE:COLUMN: ошибка|предупреждение: text, or the same as JSON.
// Exit code: 2 when a file could not be read, else 1 when an error was found, else 0.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "binds/logic/KeyNames.h"
#include "cli/Commands.h"
#include "core/ConsoleScript.h"
#include "core/FileIO.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/ConfigCheck.h"

namespace brindle::cli {

namespace {

namespace fs = std::filesystem;

void usage() {
  std::fputs("Использование: brindle-cli check [--format text|json] FILE...\n", stderr);
}

bool hasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

// '*' and '?' over one path component, letter case ignored as on the game's file system.
bool matches(std::string_view pattern, std::string_view name) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
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

std::string jsonString(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool write(const std::string& s) { return std::fwrite(s.data(), 1, s.size(), stdout) == s.size(); }

}  // namespace

int check(const std::vector<std::string>& args, const char* argv0) {
  bool json = false;
  std::vector<std::string> inputs;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--format" || a.rfind("--format=", 0) == 0) {
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

  core::KnownWords words = dictionary::readKnownWords(programDirectory(argv0));
  for (const auto key : binds::kKeyNames) words.keyNames.emplace_back(key);
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
      const editor::CheckResult result = editor::checkConfig(in.data, vocabulary);
      errors = errors || result.errorCount() > 0;
      std::string out;
      for (const editor::Problem& p : result.problems) {
        if (json) {
          out += first ? "\n  {" : ",\n  {";
          first = false;
          out += "\"file\": " + jsonString(file) + ", \"line\": " + std::to_string(p.line) +
                 ", \"column\": " + std::to_string(p.column) +
                 ", \"length\": " + std::to_string(p.length) + ", \"severity\": " +
                 jsonString(p.severity == editor::Severity::Error ? "error" : "warning") +
                 ", \"kind\": " + jsonString(editor::problemKindName(p.kind)) +
                 ", \"message\": " + jsonString(p.message) + "}";
        } else {
          out += file + ":" + std::to_string(p.line) + ":" + std::to_string(p.column) + ": " +
                 std::string(editor::severityName(p.severity)) + ": " + p.message + "\n";
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
