#include "wizard/logic/SettingsModel.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "core/ConsoleScript.h"
#include "core/Cp1251.h"
#include "core/Ini.h"
#include "core/Settings.h"
#include "wizard/logic/WizardText.h"

namespace brindle::wizard {
namespace {

using K = FieldKind;

// The ranges of the number rows are those the game keeps. Where the game clamps a variable, the
// row takes what the game keeps and refuses the rest; the sources:
// - sensitivity 0.01-10000: IN_GetMouseSensitivity, cl_dll/inputw32.cpp of
//   github.com/ValveSoftware/halflife.
// - mp_roundtime 1-9 minutes, mp_freezetime 0-60, mp_c4timer 10-90, mp_limitteams 0-20:
//   CHalfLifeMultiplay::ReadMultiplayCvars, regamedll/dlls/multiplay_gamerules.cpp of
//   github.com/s1lentq/ReGameDLL_CS (the game's own clamps, kept there outside REGAMEDLL_ADD).
// - sv_restartround 0-60 seconds: CHalfLifeMultiplay::CheckRestartRound, same file.
// - mp_buytime from 0.25 minutes: MIN_BUY_TIME (15 seconds) in regamedll/dlls/player.h, applied
//   in CBasePlayer::CanPlayerBuy (player.cpp).
// - mp_startmoney 800-16000: CheckStartMoney, regamedll/dlls/client.cpp.
// - mp_timelimit, mp_maxrounds, mp_winlimit: the game only raises a negative value to 0 (same
//   file as the round time); the upper ends are the page's.
// - rate up to 100000: MAX_RATE in rehlds/engine/net.h of github.com/rehlds/ReHLDS, the most
//   SV_ExtractFromUserinfo (rehlds/engine/sv_main.cpp) takes; the server raises a rate under
//   MIN_RATE (1000) to it, so 0 ("Никакое" in the connection list) stays a choice.
// - zoom_sensitivity_ratio (cl_dll/hud.cpp), scr_conspeed, fastsprites, max_smokepuffs,
//   max_shells, r_decals, mp_hostagepenalty: no public source bounds them; the ranges are the
//   page's.
constexpr std::array<FieldInfo, kFieldCount> kFields = {{
    {Field::Name, 1, 1, "name", K::Text},
    {Field::Lefthand, 2, 1, "lefthand", K::Switch, 0, 0, "01"},
    {Field::AutoHelp, 3, 1, "ah", K::Switch, 0, 0, "01"},
    {Field::VguiMenus, 4, 1, "vgui_menus", K::Switch, 0, 0, "01"},
    {Field::MapDescription, 5, 1, "dm", K::Switch, 0, 0, "01"},
    {Field::ConsoleColor, 6, 1, "con_color", K::Colour},
    {Field::DrawViewModel, 7, 1, "r_drawviewmodel", K::Switch, 0, 0, "01"},
    {Field::CenterId, 8, 1, "hud_centerid", K::Switch, 0, 0, "01"},
    {Field::Radar, 9, 1, "radar", K::Switch, 0, 0, "01"},
    {Field::SpriteBlend, 10, 1, "gl_spriteblend", K::Switch, 0, 0, "01"},
    {Field::FastSprites, 11, 2, "fastsprites", K::Number, 0, 2},
    {Field::SmokePuffs, 12, 2, "max_smokepuffs", K::Number, 0, 500},
    {Field::Shells, 13, 2, "max_shells", K::Number, 1, 500},
    {Field::Decals, 14, 2, "r_decals", K::Number, 0, 500},
    {Field::NetGraph, 15, 2, "net_graph", K::Switch, 0, 0, "01"},
    {Field::NetGraphPosition, 15, 2, "net_graphpos", K::Switch, 0, 0, "201"},
    {Field::MonoLights, 16, 2, "gl_monolights", K::Switch, 0, 0, "01"},
    {Field::ObserverCrosshair, 17, 3, "cl_observercrosshair", K::Switch, 0, 0, "01"},
    {Field::Ghosts, 18, 3, "ghosts", K::Switch, 0, 0, "01"},
    {Field::AdjustCrosshair, 19, 3, "adjust_crosshair", K::Switch, 0, 0, "01"},
    {Field::Bob, 20, 3, "cl_bob", K::Switch, 0, 0, "01"},
    {Field::FastSwitch, 21, 3, "hud_fastswitch", K::Switch, 0, 0, "01"},
    {Field::WaterAmp, 22, 3, "gl_wateramp", K::Switch, 0, 0, "01"},
    {Field::MouseFilter, 23, 3, "m_filter", K::Switch, 0, 0, "01"},
    {Field::Sensitivity, 24, 3, "sensitivity", K::Number, 0.01, 10000, {}, true},
    {Field::ZoomSensitivity, 25, 3, "zoom_sensitivity_ratio", K::Number, 0, 999, {}, true},
    {Field::ConsoleSpeed, 26, 3, "scr_conspeed", K::Number, 0, 9999, {}, true},
    {Field::RoundTime, 27, 4, "mp_roundtime", K::Number, 1, 9, {}, true},
    {Field::C4Timer, 28, 4, "mp_c4timer", K::Number, 10, 90},
    {Field::FreezeTime, 29, 4, "mp_freezetime", K::Number, 0, 60},
    {Field::TimeLimit, 30, 4, "mp_timelimit", K::Number, 0, 99, {}, true},
    {Field::MaxRounds, 30, 4, "mp_maxrounds", K::Number, 0, 200},
    {Field::BuyTime, 31, 4, "mp_buytime", K::Number, 0.25, 99, {}, true},
    {Field::RestartRound, 32, 4, "sv_restartround", K::Number, 0, 60},
    {Field::WinLimit, 33, 4, "mp_winlimit", K::Number, 0, 99},
    {Field::FriendlyFire, 34, 5, "mp_friendlyfire", K::Switch, 0, 0, "01"},
    {Field::AutoKick, 35, 5, "mp_autokick", K::Switch, 0, 0, "01"},
    {Field::LimitTeams, 36, 5, "mp_limitteams", K::Number, 0, 20},
    {Field::HostagePenalty, 37, 5, "mp_hostagepenalty", K::Number, 0, 20},
    {Field::ForceChaseCam, 38, 5, "mp_forcechasecam", K::Switch, 0, 0, "012"},
    {Field::FadeToBlack, 39, 6, "mp_fadetoblack", K::Switch, 0, 0, "01"},
    {Field::Flashlight, 40, 6, "mp_flashlight", K::Switch, 0, 0, "01"},
    {Field::Footsteps, 41, 6, "mp_footsteps", K::Switch, 0, 0, "01"},
    {Field::StartMoney, 42, 6, "mp_startmoney", K::Number, 800, 16000},
    {Field::Rate, 43, 7, "rate", K::Number, 0, 100000},
}};

// ------------------------------------------------------------------ reading

// What the rules read from: the commands of the text as the game runs them, the values of the
// aliases the text runs included.
class Reader {
 public:
  Reader(const WizardText& text, GameVersion version)
      : commands_(consoleCommands(text.text())), run_(runOrder(commands_)), version_(version) {}
  GameVersion version() const { return version_; }
  const std::vector<RunCommand>& run() const { return run_; }

  std::optional<std::string> cvar(std::string_view name) const {
    const auto s = lastSetting(run_, name);
    if (!s) return std::nullopt;
    return s->value().text;
  }
  std::optional<std::string> setinfo(std::string_view key) const {
    const auto s = lastSetinfo(run_, key);
    if (!s) return std::nullopt;
    return s->value().text;
  }
  // The last command named `name`, with or without words after it: its place in the run.
  std::optional<std::size_t> lastCommand(std::string_view name) const {
    for (std::size_t i = run_.size(); i-- > 0;)
      if (core::sameName(run_[i].command->name(), name)) return i;
    return std::nullopt;
  }

 private:
  std::vector<ConsoleCommand> commands_;
  std::vector<RunCommand> run_;
  GameVersion version_;
};

// The forms a setting can take: a console variable, or a key of the user info (`setinfo`).
struct Form {
  bool setinfo = false;
  std::string_view name;
};

// The form of a fallback row that the game applies last, with its value.
struct FormValue {
  Form form;
  std::string value;
  std::size_t order = 0;  // index of the command
};

std::optional<FormValue> latestOf(const Reader& r, std::initializer_list<Form> forms) {
  std::optional<FormValue> latest;
  for (const Form& f : forms) {
    const auto s = f.setinfo ? lastSetinfo(r.run(), f.name) : lastSetting(r.run(), f.name);
    if (!s) continue;
    if (!latest || s->order > latest->order) latest = FormValue{f, s->value().text, s->order};
  }
  return latest;
}

void setFound(SettingsReading& out, Field f, bool found) {
  out.found[static_cast<std::size_t>(f)] = found;
}

// A switch value as the game reads the number: shown when it is one of the row's choices, else
// kept as the file's value.
void showChoice(SettingsReading& out, Field f, const std::string& text) {
  const FieldInfo& info = fieldInfo(f);
  const auto n = gameNumber(text);
  if (n && std::floor(*n) == *n && *n >= 0 && *n < 10) {
    const char c = static_cast<char>('0' + static_cast<int>(*n));
    if (info.choices.find(c) != std::string_view::npos) {
      out.values[f] = std::string(1, c);
      return;
    }
  }
  out.fileValues[static_cast<std::size_t>(f)] = text;
}

// A number field: the number as the game reads it, or the file's value when it is no number.
void showNumber(SettingsReading& out, Field f, const std::string& text) {
  if (const auto n = gameNumber(text))
    out.values[f] = numberText(*n);
  else
    out.fileValues[static_cast<std::size_t>(f)] = text;
}

// A value the game reads with atoi() and tests for not 0 (the user info keys "_ah" and
// "_vgui_menus"); an empty value leaves the game's default, which is on.
void showFlag(SettingsReading& out, Field f, const std::string& text) {
  if (text.empty()) {
    out.values[f] = "1";
    return;
  }
  if (const auto n = gameNumber(text))
    out.values[f] = std::fabs(*n) >= 1 ? "1" : "0";  // atoi: the whole part, of any size
  else
    out.fileValues[static_cast<std::size_t>(f)] = text;
}

// ------------------------------------------------------------------ writing

class Writer {
 public:
  Writer(WizardText& text, GameVersion version) : text_(text), version_(version) {}
  GameVersion version() const { return version_; }
  WizardText& text() { return text_; }
  std::vector<ConsoleCommand> commands() const { return consoleCommands(text_.text()); }

  // The command that sets the setting last as the game runs the text.
  static std::optional<SettingLine> last(const std::vector<ConsoleCommand>& all, const Form& form,
                                         std::vector<RunCommand>& run) {
    run = runOrder(all);
    return form.setinfo ? lastSetinfo(run, form.name) : lastSetting(run, form.name);
  }
  bool present(const Form& form) const {
    std::vector<RunCommand> run;
    return last(commands(), form, run).has_value();
  }

  // Rewrites the value of the setting's last command in the command's own form, or appends
  // `name "value"` (`setinfo "key" "value"`) as a new last line: also when the last value comes
  // from an alias the text runs, as a line after it decides.
  void set(const Form& form, std::string_view value) {
    const auto all = commands();
    std::vector<RunCommand> run;
    const auto s = last(all, form, run);
    // A value the line cannot take in place (see rewriteValue) is set by a line after it.
    if (!s || !s->direct || !rewriteValue(text_, *s, value)) text_.appendLine(line(form, value));
  }
  void set(std::string_view name, std::string_view value) { set(Form{false, name}, value); }

  // Replaces the last command of `old` by the line form of `form` (an old form rewritten to the
  // form the game reads); false when the text has no such command.
  bool convert(const Form& old, const Form& form, std::string_view value) {
    const auto all = commands();
    std::vector<RunCommand> run;
    const auto s = last(all, old, run);
    return s && s->direct && replaceCommand(text_, *s->command, line(form, value));
  }

  static std::string line(const Form& form, std::string_view value) {
    std::string l;
    if (form.setinfo) {
      l = "setinfo \"";
      l += form.name;
      l += "\" \"";
    } else {
      l = std::string(form.name) + " \"";
    }
    l += value;
    l += '"';
    return l;
  }

 private:
  WizardText& text_;
  GameVersion version_;
};

// ------------------------------------------------------------------ the rows

// One row of pages 2-8: its fields are `first` and the fields after it that carry the same row
// number; `read` fills them from the text, `write` writes the chosen values (only when one of the
// fields changed), and `refuse`, when there is one, names a choice the row cannot write.
struct RowRule {
  Field first;
  void (*read)(const Reader&, const FieldInfo&, SettingsReading&);
  void (*write)(Writer&, const FieldInfo&, const SettingsValues&);
};

// A console variable: `name value`.
void readCvarSwitch(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto v = r.cvar(f.name);
  setFound(out, f.field, v.has_value());
  if (v) showChoice(out, f.field, *v);
}
void readCvarNumber(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto v = r.cvar(f.name);
  setFound(out, f.field, v.has_value());
  if (v) showNumber(out, f.field, *v);
}
void writeCvar(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  w.set(f.name, v[f.field]);
}

void readName(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto v = r.cvar(f.name);
  setFound(out, f.field, v.has_value());
  if (v) out.values[f.field] = *v;
}

// Rows that the game reads in the user info, written `setinfo "key" "value"` or `key "value"`:
// the form the game applies last decides, and a rewrite keeps it.
template <std::size_t N>
void readForms(const Reader& r, const FieldInfo& f, SettingsReading& out,
               const std::array<Form, N>& forms) {
  std::optional<FormValue> latest;
  for (const Form& form : forms) {
    const auto found = latestOf(r, {form});
    if (found && (!latest || found->order > latest->order)) latest = found;
  }
  setFound(out, f.field, latest.has_value());
  if (latest) showChoice(out, f.field, latest->value);
}
template <std::size_t N>
void writeForms(Writer& w, const FieldInfo& f, const SettingsValues& v,
                const std::array<Form, N>& forms) {
  const Reader r(w.text(), w.version());
  std::optional<FormValue> latest;
  for (const Form& form : forms) {
    const auto found = latestOf(r, {form});
    if (found && (!latest || found->order > latest->order)) latest = found;
  }
  w.set(latest ? latest->form : forms.front(), v[f.field]);
}

// The old forms of the rows that CS 1.6 reads elsewhere (CS 1.5 reads these).
std::array<Form, 2> oldForms(std::string_view name) {
  return {Form{true, name}, Form{false, name}};
}

// Shooting hand. CS 1.6 reads the client variable cl_righthand (1: right hand); CS 1.5 read
// lefthand (1: left hand). The row holds the lefthand value.
void readHand(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  if (r.version() == GameVersion::Cs16) {
    if (const auto v = r.cvar("cl_righthand")) {
      setFound(out, f.field, true);
      const auto n = gameNumber(*v);
      if (n && (*n == 0 || *n == 1))
        out.values[f.field] = *n == 1 ? "0" : "1";
      else
        out.fileValues[static_cast<std::size_t>(f.field)] = *v;
      return;
    }
  }
  readForms(r, f, out, oldForms("lefthand"));
}
void writeHand(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  if (w.version() == GameVersion::Cs15) return writeForms(w, f, v, oldForms("lefthand"));
  const std::string right = v[f.field] == "1" ? "0" : "1";
  const Form form{false, "cl_righthand"};
  if (w.present(form)) return w.set(form, right);
  // An old form the game no longer reads becomes the one it reads, in its place.
  const Reader r(w.text(), w.version());
  const auto old = latestOf(r, {Form{true, "lefthand"}, Form{false, "lefthand"}});
  if (!old || !w.convert(old->form, form, right)) w.set(form, right);
}

// Auto-help and the menu style. The CS 1.6 server reads the user info keys "_ah" and
// "_vgui_menus" (CBasePlayer::SetPrefsFromUserinfo in regamedll/dlls/player.cpp of
// github.com/s1lentq/ReGameDLL_CS: a value that is not empty is taken with atoi() and tested for
// not 0; an empty or missing key means on). The CS 1.6 client keeps both as archived user info
// variables, and setting such a variable sets the user info key of its name (Cvar_DirectSet,
// FCVAR_USERINFO, in rehlds/engine/cvar.cpp of github.com/rehlds/ReHLDS): so `setinfo "_ah" "0"`
// and `_ah "1"` set one key, and the later line decides. The game writes `setinfo "_ah" "1"`
// itself. CS 1.5 read ah and vgui_menus.
template <bool kMenus>
std::array<Form, 2> userFlagForms() {
  const std::string_view key = kMenus ? "_vgui_menus" : "_ah";
  return {Form{true, key}, Form{false, key}};
}
template <bool kMenus>
std::array<Form, 3> oldUserFlagForms() {
  const std::string_view key = kMenus ? "_vgui_menus" : "_ah";
  const std::string_view name = kMenus ? "vgui_menus" : "ah";
  return {Form{true, name}, Form{false, name}, Form{false, key}};
}
template <bool kMenus>
void readUserFlag(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  if (r.version() == GameVersion::Cs16) {
    const auto forms = userFlagForms<kMenus>();
    if (const auto v = latestOf(r, {forms[0], forms[1]})) {
      setFound(out, f.field, true);
      showFlag(out, f.field, v->value);
      return;
    }
  }
  readForms(r, f, out, oldUserFlagForms<kMenus>());
}
template <bool kMenus>
void writeUserFlag(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  if (w.version() == GameVersion::Cs15) return writeForms(w, f, v, oldUserFlagForms<kMenus>());
  const auto forms = userFlagForms<kMenus>();
  const Reader r(w.text(), w.version());
  if (const auto current = latestOf(r, {forms[0], forms[1]}))
    return w.set(current->form, v[f.field]);
  // An old form the game no longer reads becomes the one it reads, in its place.
  const auto previous = oldUserFlagForms<kMenus>();
  const auto old = latestOf(r, {previous[0], previous[1]});
  if (!old || !w.convert(old->form, forms[0], v[f.field])) w.set(forms[0], v[f.field]);
}

void readMapDescription(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  readForms(r, f, out, oldForms(f.name));
}
void writeMapDescription(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  writeForms(w, f, v, oldForms(f.name));
}

void readColour(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto v = r.cvar(f.name);
  setFound(out, f.field, v.has_value());
  if (!v) {
    out.values[f.field] = kDefaultConsoleColour;
  } else if (colourItemOf(*v) > 0) {
    out.values[f.field] = *v;
  } else if (const auto rgb = parseColour(*v)) {
    out.values[f.field] = formatColour(*rgb);
  } else {
    out.warnings.push_back("Цвет текста консоли (con_color) \"" + core::toUtf8(*v) +
                           "\" не прочитан: нужны три целых числа через пробел, например "
                           "\"255 180 0\". Цвет в списке не изменён.");
  }
}

// The radar: the later of drawradar and hideradar is the one the game runs.
void readRadar(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto draw = r.lastCommand("drawradar");
  const auto hide = r.lastCommand("hideradar");
  setFound(out, f.field, draw || hide);
  if (draw || hide) out.values[f.field] = draw && (!hide || *draw > *hide) ? "1" : "0";
}
void writeRadar(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  const std::string_view want = v[f.field] == "1" ? "drawradar" : "hideradar";
  const auto all = w.commands();
  const auto run = runOrder(all);
  for (auto r = run.rbegin(); r != run.rend(); ++r) {
    const ConsoleCommand& c = *r->command;
    if (!core::sameName(c.name(), "drawradar") && !core::sameName(c.name(), "hideradar")) continue;
    if (core::sameName(c.name(), want) && c.words.size() == 1) return;
    // The radar command the game runs last becomes the wanted one where it stands; one run from
    // an alias is followed by a line of the wanted word.
    if (!r->direct || !replaceCommand(w.text(), c, want)) w.text().appendLine(want);
    return;
  }
  w.text().appendLine(want);
}

void readNetGraph(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  readCvarSwitch(r, f, out);
  // The game keeps the position whatever net_graph says.
  readCvarSwitch(r, fieldInfo(Field::NetGraphPosition), out);
}
void writeNetGraph(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  // Called when either field changed; a field left as loaded is written again unchanged.
  if (!v[f.field].empty()) w.set(f.name, v[f.field]);
  if (!v[Field::NetGraphPosition].empty()) w.set("net_graphpos", v[Field::NetGraphPosition]);
}

// Crosshair colour change at start: a config that runs adjust_crosshair.
void readAdjust(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const bool present = r.lastCommand(f.name).has_value();
  setFound(out, f.field, present);
  out.values[f.field] = present ? "1" : "0";
}
void writeAdjust(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  if (v[f.field] == "1") {
    if (!Reader(w.text(), w.version()).lastCommand(f.name)) w.text().appendLine(f.name);
    return;
  }
  // "Нет": every adjust_crosshair goes, each command alone, the last first so that the earlier
  // ones keep their places.
  for (;;) {
    const auto all = w.commands();
    auto c = std::find_if(all.rbegin(), all.rend(), [&](const ConsoleCommand& x) {
      return core::sameName(x.name(), f.name);
    });
    if (c == all.rend()) return;
    removeCommand(w.text(), *c, true);
  }
}

// Bobbing: the view does not bob when cl_bob is 0.
void readBob(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto bob = r.cvar(f.name);
  setFound(out, f.field, bob.has_value());
  if (!bob) {
    out.values[f.field] = "1";
    return;
  }
  if (const auto n = gameNumber(*bob))
    out.values[f.field] = *n == 0 ? "0" : "1";
  else
    out.fileValues[static_cast<std::size_t>(f.field)] = *bob;
}
void writeBob(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  const bool on = v[f.field] == "1";
  w.set("cl_bob", on ? "0.01" : "0");
  w.set("cl_bobup", on ? "0.5" : "0");
  w.set("cl_bobcycle", "0.8");
}

// Map change by time or by rounds.
void readMapChange(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto time = r.cvar("mp_timelimit");
  const auto rounds = r.cvar("mp_maxrounds");
  setFound(out, Field::TimeLimit, time || rounds);
  setFound(out, Field::MaxRounds, time || rounds);
  const auto minutes = time ? gameNumber(*time) : std::nullopt;
  if (minutes && *minutes != 0) {
    out.values[Field::TimeLimit] = numberText(*minutes);
    out.values[Field::MaxRounds] = "0";
    return;
  }
  if (time && !minutes) out.fileValues[static_cast<std::size_t>(f.field)] = *time;
  out.values[Field::TimeLimit] = "0";
  out.values[Field::MaxRounds] = "0";
  if (rounds) showNumber(out, Field::MaxRounds, *rounds);
}
void writeMapChange(Writer& w, const FieldInfo&, const SettingsValues& v) {
  if (!v[Field::TimeLimit].empty()) w.set("mp_timelimit", v[Field::TimeLimit]);
  if (!v[Field::MaxRounds].empty()) w.set("mp_maxrounds", v[Field::MaxRounds]);
}

// Team balance: 0 stands for automatic balance, 1-15 for a limit without it.
void readBalance(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto balance = r.cvar("mp_autoteambalance");
  const auto limit = r.cvar("mp_limitteams");
  setFound(out, f.field, balance || limit);
  const auto on = balance ? gameNumber(*balance) : std::nullopt;
  if (balance && on && *on == 0) {
    if (limit) showNumber(out, f.field, *limit);
  } else {
    out.values[f.field] = "0";
  }
}
void writeBalance(Writer& w, const FieldInfo& f, const SettingsValues& v) {
  const std::string& value = v[f.field];
  if (!value.empty() && value != "0") {
    w.set("mp_limitteams", value);
    w.set("mp_autoteambalance", "0");
  } else {
    w.set("mp_limitteams", "0");
    w.set("mp_autoteambalance", "1");
  }
}

void readRate(const Reader& r, const FieldInfo& f, SettingsReading& out) {
  const auto v = r.cvar(f.name);
  setFound(out, f.field, v.has_value());
  if (v) showNumber(out, f.field, *v);
}

// Every row, in the order of the apply. A row with two fields lists its first; the second is read
// and written by the same rules.
const std::array<RowRule, 43>& rowRules() {
  static const std::array<RowRule, 43> rules = {{
      {Field::Name, readName, writeCvar},
      {Field::Lefthand, readHand, writeHand},
      {Field::AutoHelp, readUserFlag<false>, writeUserFlag<false>},
      {Field::VguiMenus, readUserFlag<true>, writeUserFlag<true>},
      {Field::MapDescription, readMapDescription, writeMapDescription},
      {Field::ConsoleColor, readColour, writeCvar},
      {Field::DrawViewModel, readCvarSwitch, writeCvar},
      {Field::CenterId, readCvarSwitch, writeCvar},
      {Field::Radar, readRadar, writeRadar},
      {Field::SpriteBlend, readCvarSwitch, writeCvar},
      {Field::FastSprites, readCvarNumber, writeCvar},
      {Field::SmokePuffs, readCvarNumber, writeCvar},
      {Field::Shells, readCvarNumber, writeCvar},
      {Field::Decals, readCvarNumber, writeCvar},
      {Field::NetGraph, readNetGraph, writeNetGraph},
      {Field::MonoLights, readCvarSwitch, writeCvar},
      {Field::ObserverCrosshair, readCvarSwitch, writeCvar},
      {Field::Ghosts, readMapDescription, writeMapDescription},
      {Field::AdjustCrosshair, readAdjust, writeAdjust},
      {Field::Bob, readBob, writeBob},
      {Field::FastSwitch, readCvarSwitch, writeCvar},
      {Field::WaterAmp, readCvarSwitch, writeCvar},
      {Field::MouseFilter, readCvarSwitch, writeCvar},
      {Field::Sensitivity, readCvarNumber, writeCvar},
      {Field::ZoomSensitivity, readCvarNumber, writeCvar},
      {Field::ConsoleSpeed, readCvarNumber, writeCvar},
      {Field::RoundTime, readCvarNumber, writeCvar},
      {Field::C4Timer, readCvarNumber, writeCvar},
      {Field::FreezeTime, readCvarNumber, writeCvar},
      {Field::TimeLimit, readMapChange, writeMapChange},
      {Field::BuyTime, readCvarNumber, writeCvar},
      {Field::RestartRound, readCvarNumber, writeCvar},
      {Field::WinLimit, readCvarNumber, writeCvar},
      {Field::FriendlyFire, readCvarSwitch, writeCvar},
      {Field::AutoKick, readCvarSwitch, writeCvar},
      {Field::LimitTeams, readBalance, writeBalance},
      {Field::HostagePenalty, readCvarNumber, writeCvar},
      {Field::ForceChaseCam, readCvarSwitch, writeCvar},
      {Field::FadeToBlack, readCvarSwitch, writeCvar},
      {Field::Flashlight, readCvarSwitch, writeCvar},
      {Field::Footsteps, readCvarSwitch, writeCvar},
      {Field::StartMoney, readCvarNumber, writeCvar},
      {Field::Rate, readRate, writeCvar},
  }};
  return rules;
}

// The fields of a row: `first` and those after it with the same row number.
std::vector<Field> rowFields(Field first) {
  std::vector<Field> fields{first};
  const int row = fieldInfo(first).row;
  for (auto i = static_cast<std::size_t>(first) + 1; i < kFields.size() && kFields[i].row == row;
       ++i)
    fields.push_back(kFields[i].field);
  return fields;
}

bool validUtf8(std::string_view s, bool& nonAscii) {
  nonAscii = false;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    nonAscii = true;
    std::size_t n = 0;
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      n = 1;
      cp = b & 0x1Fu;
    } else if (b >= 0xE0 && b <= 0xEF) {
      n = 2;
      cp = b & 0x0Fu;
    } else if (b >= 0xF0 && b <= 0xF4) {
      n = 3;
      cp = b & 0x07u;
    } else {
      return false;
    }
    for (std::size_t k = 1; k <= n; ++k) {
      if (i + k >= s.size()) return false;
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0u) != 0x80u) return false;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if ((n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += n + 1;
  }
  return true;
}

}  // namespace

// ================================================================================ fields

const std::array<FieldInfo, kFieldCount>& allFields() { return kFields; }

const FieldInfo& fieldInfo(Field field) { return kFields[static_cast<std::size_t>(field)]; }

std::optional<Field> fieldByName(std::string_view name) {
  for (const FieldInfo& info : kFields)
    if (info.name == name) return info.field;
  return std::nullopt;
}

GameVersion loadGameVersion(const core::Settings& settings) {
  return settings.readInt(core::Setting::WizardGameVersion, 16) == 15 ? GameVersion::Cs15
                                                                      : GameVersion::Cs16;
}

core::WriteResult saveGameVersion(core::Settings& settings, GameVersion version) {
  const core::SettingKey key = core::keyOf(core::Setting::WizardGameVersion);
  return settings.writeInt(key.section, key.key, version == GameVersion::Cs15 ? 15 : 16);
}

// ================================================================================ numbers

std::optional<double> gameNumber(std::string_view text) {
  std::size_t i = 0, end = text.size();
  while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
  while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  text = text.substr(i, end - i);
  if (text.empty()) return std::nullopt;
  std::size_t digits = 0;
  bool point = false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c >= '0' && c <= '9')
      ++digits;
    else if (c == '.' && !point)
      point = true;
    else if (!((c == '-' || c == '+') && k == 0))
      return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return value == 0 ? 0.0 : value;  // no "-0"
}

std::string numberText(double value) {
  // The shortest digits that read back as the same number, never in exponent form: the console
  // reads a value with atof, and the game writes what it was given ("100000", not "1e+05").
  // 1100 characters hold any double in positional form.
  char buffer[1100];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (r.ec != std::errc()) return {};
  return std::string(buffer, r.ptr);
}

// ================================================================================ names

std::string nameForDisplay(std::string_view bytes) {
  bool nonAscii = false;
  if (validUtf8(bytes, nonAscii) && nonAscii) return std::string(bytes);
  return core::toUtf8(bytes);
}

std::string nameForFile(std::string_view utf8, std::string_view previousBytes) {
  bool nonAscii = false;
  if (validUtf8(previousBytes, nonAscii) && nonAscii) return std::string(utf8);
  return core::fromUtf8(utf8);
}

// ================================================================================ reading

std::string fileValueHint(std::string_view value) { return "в файле: " + core::toUtf8(value); }

std::string formatReading(const SettingsReading& reading) {
  std::string out;
  for (const FieldInfo& info : kFields) {
    const auto i = static_cast<std::size_t>(info.field);
    out += info.name;
    out += '=';
    if (reading.found[i])
      out += info.field == Field::Name ? nameForDisplay(reading.values[info.field])
                                       : core::toUtf8(reading.values[info.field]);
    if (!reading.fileValues[i].empty() && reading.values[info.field].empty())
      out += "\t" + fileValueHint(reading.fileValues[i]);
    out += '\n';
  }
  return out;
}

SettingsReading readSettings(const WizardText& text, GameVersion version) {
  const Reader reader(text, version);
  SettingsReading out;
  for (const RowRule& rule : rowRules()) rule.read(reader, fieldInfo(rule.first), out);
  return out;
}

// ================================================================================ choices

Checked<std::string> checkValue(Field field, std::string_view value) {
  using Result = Checked<std::string>;
  const FieldInfo& info = fieldInfo(field);
  const std::string name(info.name);
  // The console takes a value in quotes up to the next quote and a command up to the line's end
  // (COM_Parse, Cbuf_Execute in rehlds/engine), so no value it reads can hold either.
  if (value.find('"') != std::string_view::npos)
    return Result::refused(name +
                           ": значение не может содержать кавычку (\"): консоль закончит "
                           "значение на ней, и остаток строки станет отдельными словами");
  if (value.find_first_of("\r\n") != std::string_view::npos)
    return Result::refused(name + ": значение не может содержать перевод строки");
  switch (info.kind) {
    case K::Text:
      if (value.empty()) return Result::refused(name + ": имя не может быть пустым");
      return Result{std::string(value), {}};
    case K::Number: {
      std::string typed(value);
      for (char& c : typed)
        if (c == ',') c = '.';
      const auto n = gameNumber(typed);
      const std::string range = numberText(info.minimum) + " до " + numberText(info.maximum);
      if (!n || (!info.fractions && std::floor(*n) != *n) || *n < info.minimum || *n > info.maximum)
        return Result::refused(
            name + (info.fractions ? ": нужно число от " : ": нужно целое число от ") + range);
      return Result{numberText(*n), {}};
    }
    case K::Switch: {
      if (value.size() == 1 && info.choices.find(value[0]) != std::string_view::npos)
        return Result{std::string(value), {}};
      std::string list;
      for (const char c : info.choices) list += (list.empty() ? "" : ", ") + std::string(1, c);
      return Result::refused(name + ": допустимые значения: " + list);
    }
    case K::Colour: {
      const auto rgb = parseColour(value);
      if (!rgb || formatColour(*rgb) != value)
        return Result::refused(name +
                               ": нужны три числа от 0 до 255 через пробел, например \"255 0 0\"");
      return Result{std::string(value), {}};
    }
  }
  return Result::refused(name);
}

std::string chooseValue(SettingsValues& values, Field field, std::string_view value) {
  const Checked<std::string> checked = checkValue(field, value);
  if (!checked) return checked.error;
  values[field] = *checked.value;
  // Map change by time and by rounds exclude each other.
  if (field == Field::TimeLimit) values[Field::MaxRounds] = "0";
  if (field == Field::MaxRounds) values[Field::TimeLimit] = "0";
  return {};
}

std::optional<Refusal> refusalOf(const SettingsValues& loaded, const SettingsValues& chosen) {
  for (const FieldInfo& info : kFields) {
    if (loaded[info.field] == chosen[info.field]) continue;
    const Checked<std::string> checked = checkValue(info.field, chosen[info.field]);
    if (!checked) return Refusal{info.field, info.page, checked.error};
  }
  return std::nullopt;
}

// ================================================================================ apply

int applySettings(WizardText& text, const SettingsValues& loaded, const SettingsValues& chosen,
                  GameVersion version) {
  Writer writer(text, version);
  // A changed value is written as the check gives it ("2,5" typed is written 2.5).
  SettingsValues values = chosen;
  int written = 0;
  for (const RowRule& rule : rowRules()) {
    bool changed = false, refused = false;
    for (const Field f : rowFields(rule.first)) {
      if (loaded[f] == chosen[f]) continue;
      changed = true;
      const Checked<std::string> checked = checkValue(f, chosen[f]);
      if (checked)
        values[f] = *checked.value;
      else
        refused = true;
    }
    if (!changed || refused) continue;
    rule.write(writer, fieldInfo(rule.first), values);
    ++written;
  }
  return written;
}

std::optional<Refusal> unreadChoice(const WizardText& text, const SettingsValues& loaded,
                                    const SettingsValues& chosen, GameVersion version) {
  const SettingsReading reread = readSettings(text, version);
  for (const FieldInfo& info : kFields) {
    if (loaded[info.field] == chosen[info.field]) continue;
    const Checked<std::string> checked = checkValue(info.field, chosen[info.field]);
    if (!checked || reread.values[info.field] == *checked.value) continue;
    return Refusal{info.field, info.page,
                   std::string(info.name) +
                       ": выбранное значение не записано: игра прочитала бы из файла другое "
                       "(его задаёт команда, которую запускает алиас файла). Исправьте это в "
                       "редакторе; файл не изменён."};
  }
  return std::nullopt;
}

// ================================================================================ colours

std::optional<Rgb> parseColour(std::string_view value, std::string* badText) {
  int parts[3] = {0, 0, 0};
  std::size_t pos = 0;
  for (int& part : parts) {
    while (pos < value.size() && value[pos] == ' ') ++pos;
    std::size_t end = value.find(' ', pos);
    if (end == std::string_view::npos) end = value.size();
    const std::string_view token = value.substr(pos, end - pos);
    const auto n = core::parseDecimal(token);
    if (!n || *n < INT_MIN || *n > INT_MAX) {
      if (badText) *badText = std::string(token);
      return std::nullopt;
    }
    part = static_cast<int>(((*n % 256) + 256) % 256);
    pos = end;
  }
  return Rgb{parts[0], parts[1], parts[2]};
}

std::string formatColour(const Rgb& rgb) {
  return std::to_string(rgb.red) + ' ' + std::to_string(rgb.green) + ' ' + std::to_string(rgb.blue);
}

int colourItemOf(std::string_view value) {
  for (std::size_t i = 1; i < kColourItems.size(); ++i)
    if (kColourItems[i].value == value) return static_cast<int>(i);
  return 0;
}

int connectionItemOf(std::string_view rate) {
  const auto n = gameNumber(rate);
  if (!n) return -1;
  for (std::size_t i = 1; i < kConnectionRates.size(); ++i)
    if (numberText(*n) == kConnectionRates[i]) return static_cast<int>(i);
  return -1;
}

}  // namespace brindle::wizard
