// brindle-cli effective: what the game ends up with from the files of a game directory, and
// which line decides each variable, key and alias.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/Commands.h"
#include "cli/Effective.h"
#include "core/Cp1251.h"
#include "core/FileIO.h"

namespace brindle::cli {
namespace {

std::string utf8(std::string_view cp1251) { return core::toUtf8(cp1251); }

bool put(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

std::string textReport(const editor::EffectiveConfig& c) {
  std::string out = "Файлы, в порядке выполнения:\n";
  for (const std::string& f : c.files) out += "  " + f + "\n";
  for (const editor::ChainProblem& p : c.problems)
    out += "  " + editor::lineText(p.at) + ": " + editor::problemText(p, utf8) + "\n";
  for (const editor::Clearing& k : c.clearings)
    out += "  " + editor::lineText(k.at) + ": " + k.command +
           " убрал назначений: " + std::to_string(k.removed) + "\n";
  if (!c.playFiles.empty()) {
    out += "\nФайлы, которые выполняет только нажатие клавиши:\n";
    for (const std::string& f : c.playFiles) out += "  " + f + "\n";
  }
  const struct {
    const char* title;
    const std::vector<editor::EffectiveEntry>* list;
    bool always;
  } sections[] = {{"Переменные", &c.variables, true},
                  {"Клавиши", &c.keys, true},
                  {"Алиасы", &c.aliases, true},
                  {"setinfo", &c.setinfo, false}};
  for (const auto& s : sections) {
    if (!s.always && s.list->empty()) continue;
    out += std::string("\n") + s.title + ":\n";
    for (const editor::EffectiveEntry& e : *s.list)
      out += "  " + editor::describeEntry(e, utf8) + "\n";
  }
  if (!c.duringPlay.empty()) {
    out += "\nМеняется во время игры:\n";
    for (const editor::RuntimeChange& r : c.duringPlay) {
      const char* kind = r.kind == editor::EntryKind::Key       ? "bind "
                         : r.kind == editor::EntryKind::Alias   ? "alias "
                         : r.kind == editor::EntryKind::Setinfo ? "setinfo "
                                                                : "";
      out += "  " + std::string(kind) + utf8(r.name) + " = " + utf8(r.value) + "  (" +
             editor::lineText(r.at) + ", " + utf8(r.holder) + ")\n";
    }
  }
  if (!c.unknownWords.empty()) {
    out += "\nСлова, которых игра не знает (строка ничего не задаёт):\n";
    for (const editor::UnknownWord& u : c.unknownWords)
      out += "  " + utf8(u.name) + "  (" + editor::lineText(u.at) + ")\n";
  }
  return out;
}

}  // namespace

int effective(const std::vector<std::string>& args, const char* argv0) {
  std::string dir;
  std::string format = "text";
  std::string name;
  editor::EntryKind kind = editor::EntryKind::Variable;
  bool one = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--format" || a == "--var" || a == "--key" || a == "--alias" || a == "--setinfo") {
      if (i + 1 >= args.size()) {
        std::fprintf(stderr, "brindle-cli effective: после %s нужно значение\n", a.c_str());
        return 2;
      }
      const std::string& v = args[++i];
      if (a == "--format") {
        format = v;
      } else {
        if (one) {
          std::fputs(
              "brindle-cli effective: укажите только одно из --var, --key, --alias, --setinfo\n",
              stderr);
          return 2;
        }
        one = true;
        name = v;
        kind = a == "--var"     ? editor::EntryKind::Variable
               : a == "--key"   ? editor::EntryKind::Key
               : a == "--alias" ? editor::EntryKind::Alias
                                : editor::EntryKind::Setinfo;
      }
    } else if (dir.empty() && a.rfind("--", 0) != 0) {
      dir = a;
    } else {
      std::fprintf(stderr, "brindle-cli effective: лишний аргумент \"%s\"\n", a.c_str());
      return 2;
    }
  }
  if (format != "text" && format != "json") {
    std::fprintf(stderr, "brindle-cli effective: неизвестный формат \"%s\" (text или json)\n",
                 format.c_str());
    return 2;
  }
  std::error_code ec;
  if (dir.empty() || !std::filesystem::is_directory(core::pathFromUtf8(dir), ec)) {
    const char* why = dir.empty() ? ""
                      : core::fileExists(dir) ? ": это файл, а нужен каталог, в котором он лежит, "
                                              : ": нет каталога ";
    std::fprintf(stderr, "brindle-cli effective: укажите каталог игры (папку cstrike)%s%s\n", why,
                 dir.c_str());
    return 2;
  }
  const editor::EffectiveConfig config = effectiveOfDirectory(dir, argv0);
  if (!one) {
    const bool ok =
        put(format == "json" ? editor::effectiveJson(config, utf8) : textReport(config));
    return ok && std::fflush(stdout) == 0 ? 0 : 2;
  }
  const editor::EffectiveEntry* e = config.find(kind, core::fromUtf8(name));
  if (e == nullptr) {
    std::fprintf(stderr, "brindle-cli effective: \"%s\" нигде не задан\n", name.c_str());
    return 1;
  }
  if (format == "json") {
    editor::EffectiveConfig single;
    single.files = config.files;
    (kind == editor::EntryKind::Variable ? single.variables
     : kind == editor::EntryKind::Key    ? single.keys
     : kind == editor::EntryKind::Alias  ? single.aliases
                                         : single.setinfo)
        .push_back(*e);
    return put(editor::effectiveJson(single, utf8)) && std::fflush(stdout) == 0 ? 0 : 2;
  }
  return put(editor::describeEntry(*e, utf8) + "\n") && std::fflush(stdout) == 0 ? 0 : 2;
}

}  // namespace brindle::cli
