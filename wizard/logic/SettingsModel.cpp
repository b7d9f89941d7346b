#include "wizard/logic/SettingsModel.h"

#include <algorithm>
#include <climits>

#include "core/Ini.h"
#include "wizard/logic/WizardText.h"

namespace brindle::wizard {
namespace {

using K = FieldKind;

constexpr std::array<FieldInfo, kFieldCount> kFields = {{
    {Field::Name, 1, "name", K::Text},
    {Field::Lefthand, 2, "lefthand", K::Switch, 0, 0, "01"},
    {Field::AutoHelp, 3, "ah", K::Switch, 0, 0, "01"},
    {Field::VguiMenus, 4, "vgui_menus", K::Switch, 0, 0, "01"},
    {Field::MapDescription, 5, "dm", K::Switch, 0, 0, "01"},
    {Field::ConsoleColor, 6, "con_color", K::Colour},
    {Field::DrawViewModel, 7, "r_drawviewmodel", K::Switch, 0, 0, "01"},
    {Field::CenterId, 8, "hud_centerid", K::Switch, 0, 0, "01"},
    {Field::Radar, 9, "radar", K::Switch, 0, 0, "01"},
    {Field::SpriteBlend, 10, "gl_spriteblend", K::Switch, 0, 0, "01"},
    {Field::FastSprites, 11, "fastsprites", K::Number, 0, 2},
    {Field::SmokePuffs, 12, "max_smokepuffs", K::Number, 0, 500},
    {Field::Shells, 13, "max_shells", K::Number, 1, 500},
    {Field::Decals, 14, "r_decals", K::Number, 0, 500},
    {Field::NetGraph, 15, "net_graph", K::Switch, 0, 0, "01"},
    {Field::NetGraphPosition, 15, "net_graphpos", K::Switch, 0, 0, "201"},
    {Field::MonoLights, 16, "gl_monolights", K::Switch, 0, 0, "01"},
    {Field::ObserverCrosshair, 17, "cl_observercrosshair", K::Switch, 0, 0, "01"},
    {Field::Ghosts, 18, "ghosts", K::Switch, 0, 0, "01"},
    {Field::AdjustCrosshair, 19, "adjust_crosshair", K::Switch, 0, 0, "01"},
    {Field::Bob, 20, "cl_bob", K::Switch, 0, 0, "01"},
    {Field::FastSwitch, 21, "hud_fastswitch", K::Switch, 0, 0, "01"},
    {Field::WaterAmp, 22, "gl_wateramp", K::Switch, 0, 0, "01"},
    {Field::MouseFilter, 23, "m_filter", K::Switch, 0, 0, "01"},
    {Field::Sensitivity, 24, "sensitivity", K::Number, 0, 999},
    {Field::ZoomSensitivity, 25, "zoom_sensitivity_ratio", K::Number, 0, 999},
    {Field::ConsoleSpeed, 26, "scr_conspeed", K::Number, 0, 9999},
    {Field::RoundTime, 27, "mp_roundtime", K::Number, 1, 9},
    {Field::C4Timer, 28, "mp_c4timer", K::Number, 1, 90},
    {Field::FreezeTime, 29, "mp_freezetime", K::Number, 0, 60},
    {Field::TimeLimit, 30, "mp_timelimit", K::Number, 0, 99},
    {Field::MaxRounds, 30, "mp_maxrounds", K::Number, 0, 200},
    {Field::BuyTime, 31, "mp_buytime", K::Text},
    {Field::RestartRound, 32, "sv_restartround", K::Number, 0, 500},
    {Field::WinLimit, 33, "mp_winlimit", K::Number, 0, 99},
    {Field::FriendlyFire, 34, "mp_friendlyfire", K::Switch, 0, 0, "01"},
    {Field::AutoKick, 35, "mp_autokick", K::Switch, 0, 0, "01"},
    {Field::LimitTeams, 36, "mp_limitteams", K::Number, 0, 15},
    {Field::HostagePenalty, 37, "mp_hostagepenalty", K::Number, 0, 20},
    {Field::ForceChaseCam, 38, "mp_forcechasecam", K::Switch, 0, 0, "012"},
    {Field::FadeToBlack, 39, "mp_fadetoblack", K::Switch, 0, 0, "01"},
    {Field::Flashlight, 40, "mp_flashlight", K::Switch, 0, 0, "01"},
    {Field::Footsteps, 41, "mp_footsteps", K::Switch, 0, 0, "01"},
    {Field::StartMoney, 42, "mp_startmoney", K::Number, 800, 16000},
    {Field::Rate, 43, "rate", K::Number, 0, 99999},
}};

// The radar and crosshair-adjust rows recognise a line holding only their word (with a few
// blanks around it) by its length.
constexpr std::size_t kRadarMin = 9, kRadarMax = 13;
constexpr std::size_t kAdjustMin = 16, kAdjustMax = 20;

std::string cvarPrefix(std::string_view name) { return std::string(name) + " \""; }
std::string setinfoPrefix(std::string_view name) {
  return "setinfo \"" + std::string(name) + "\" \"";
}

bool isFallbackRow(Field f) {
  return f == Field::Lefthand || f == Field::AutoHelp || f == Field::VguiMenus ||
         f == Field::MapDescription || f == Field::Ghosts;
}

// The forms of a row that a file may use for its setting, the setinfo form first. Auto-help and
// the menu style are also read in the form the game itself saves them in, "_ah" and "_vgui_menus".
std::vector<std::string> settingForms(const FieldInfo& info) {
  std::vector<std::string> forms{setinfoPrefix(info.name), cvarPrefix(info.name)};
  if (info.field == Field::AutoHelp || info.field == Field::VguiMenus)
    forms.push_back(cvarPrefix("_" + std::string(info.name)));
  return forms;
}

bool isChoice(const FieldInfo& info, std::string_view value) {
  return value.size() == 1 && info.choices.find(value[0]) != std::string_view::npos;
}

// The value of a setting line, when the text has one.
struct Found {
  bool present = false;
  std::string value;
  std::size_t line = 0;
};

Found read(WizardTexts& t, std::string_view prefix) {
  t.readValue(prefix);
  if (t.lastMatch == -1) return {};
  return Found{true, t.foundText, static_cast<std::size_t>(t.matchLine)};
}

// A bare command word on a line whose length lies in the window.
Found readWord(WizardTexts& t, std::string_view word, std::size_t min, std::size_t max) {
  Found f = read(t, word);
  if (f.present) {
    const std::size_t length = t.working.at(f.line).size();
    f.value = length >= min && length <= max ? "1" : "";
  }
  return f;
}

class WholeLineMode {
 public:
  WholeLineMode(WizardTexts& t, std::size_t min, std::size_t max) : t_(t) {
    t_.wholeLineMode = true;
    t_.minLineLength = min;
    t_.maxLineLength = max;
  }
  ~WholeLineMode() { t_.wholeLineMode = false; }
  WholeLineMode(const WholeLineMode&) = delete;
  WholeLineMode& operator=(const WholeLineMode&) = delete;

 private:
  WizardTexts& t_;
};

void put(WizardTexts& t, std::string_view prefix, std::string_view value) {
  t.replaceOrAppend(prefix, value, false);
}

std::optional<long long> wholeNumber(std::string_view text) { return core::parseDecimal(text); }

// ------------------------------------------------------------------ read rules

void readRow(WizardTexts& t, const FieldInfo& info, SettingsReading& r) {
  const Field f = info.field;
  auto& value = r.values[f];
  auto& found = r.found[static_cast<std::size_t>(f)];
  switch (f) {
    case Field::ConsoleColor: {
      const Found c = read(t, cvarPrefix(info.name));
      found = c.present;
      if (!c.present) {
        value = kDefaultConsoleColour;
      } else if (colourItemOf(c.value) > 0) {
        value = c.value;
      } else {
        std::string bad;
        if (const auto rgb = parseColour(c.value, &bad))
          value = formatColour(*rgb);
        else
          r.warnings.push_back("'" + bad + "' is not a valid integer value");
      }
      return;
    }
    case Field::Radar: {
      const Found draw = readWord(t, "drawradar", kRadarMin, kRadarMax);
      const Found hide = readWord(t, "hideradar", kRadarMin, kRadarMax);
      found = draw.present || hide.present;
      const bool drawn = !draw.value.empty();
      const bool hidden = !hide.value.empty();
      // The later line is the one the game applies.
      if (drawn && (!hidden || draw.line > hide.line))
        value = "1";
      else if (hidden)
        value = "0";
      return;
    }
    case Field::NetGraph: {
      const Found g = read(t, cvarPrefix("net_graph"));
      found = g.present;
      if (g.value == "0") value = "0";
      if (g.value != "1") return;
      value = "1";
      const Found pos = read(t, cvarPrefix("net_graphpos"));
      r.found[static_cast<std::size_t>(Field::NetGraphPosition)] = pos.present;
      if (isChoice(fieldInfo(Field::NetGraphPosition), pos.value))
        r.values[Field::NetGraphPosition] = pos.value;
      return;
    }
    case Field::NetGraphPosition:
      return;  // read with the net graph
    case Field::MaxRounds:
      // Read with the time limit: the two fields show what the row found.
      found = r.found[static_cast<std::size_t>(Field::TimeLimit)];
      return;
    case Field::AdjustCrosshair: {
      const Found a = readWord(t, "adjust_crosshair", kAdjustMin, kAdjustMax);
      found = a.present;
      value = a.value.empty() ? "0" : "1";
      return;
    }
    case Field::Bob: {
      const Found bob = read(t, cvarPrefix("cl_bob"));
      found = bob.present;
      value = "1";
      if (bob.present && bob.value == "0") {
        const Found up = read(t, cvarPrefix("cl_bobup"));
        found = found || up.present;
        if (up.present && up.value == "0") value = "0";
      }
      return;
    }
    case Field::TimeLimit: {
      const Found time = read(t, cvarPrefix("mp_timelimit"));
      auto& rounds = r.values[Field::MaxRounds];
      found = time.present;
      if (!time.value.empty() && time.value != "0") {
        value = time.value;
        rounds = "0";
        return;
      }
      const Found max = read(t, cvarPrefix("mp_maxrounds"));
      found = found || max.present;
      value = "0";
      rounds = max.present ? max.value : "0";
      return;
    }
    case Field::LimitTeams: {
      const Found balance = read(t, cvarPrefix("mp_autoteambalance"));
      const Found limit = read(t, cvarPrefix("mp_limitteams"));
      found = balance.present || limit.present;
      value = balance.present && balance.value == "0" ? limit.value : "0";
      return;
    }
    case Field::Rate: {
      const Found rate = read(t, cvarPrefix("rate"));
      found = rate.present;
      if (!rate.present) return;
      const int item = connectionItemOf(rate.value);
      if (item > 0)
        value = kConnectionRates[static_cast<std::size_t>(item)];
      else if (wholeNumber(rate.value))
        value = rate.value;
      return;
    }
    default:
      break;
  }

  if (isFallbackRow(f)) {
    // Every form is read; the latest line decides, as the game applies it last.
    std::vector<Found> lines;
    for (const std::string& prefix : settingForms(info)) {
      Found x = read(t, prefix);
      if (x.present) lines.push_back(std::move(x));
    }
    found = !lines.empty();
    std::sort(lines.begin(), lines.end(),
              [](const Found& a, const Found& b) { return a.line < b.line; });
    for (const Found& x : lines)
      if (isChoice(info, x.value)) value = x.value;
    return;
  }

  const Found v = read(t, cvarPrefix(info.name));
  found = v.present;
  if (!v.present) return;
  if (info.kind == K::Switch) {
    if (isChoice(info, v.value)) value = v.value;
  } else if (f == Field::FastSprites) {
    if (v.value.size() == 1) value = v.value;
  } else {
    value = v.value;
  }
}

// ------------------------------------------------------------------ write rules

void writeRow(WizardTexts& t, const FieldInfo& info, const SettingsValues& v) {
  const Field f = info.field;
  const std::string& value = v[f];
  switch (f) {
    case Field::Radar: {
      if (value.empty()) return;
      // Да turns the radar line into "drawradar", Нет into "hideradar"; a radar line already
      // saying so stays, and with none the word is appended.
      const std::string_view want = value == "1" ? "drawradar" : "hideradar";
      const std::string_view other = value == "1" ? "hideradar" : "drawradar";
      const WholeLineMode mode(t, kRadarMin, kRadarMax);
      LineMatch wantLine, otherLine;
      const bool hasWant = findSettingLine(t.working, want, wantLine);
      const bool hasOther = findSettingLine(t.working, other, otherLine);
      // The later of the two radar lines is the one to change, as the game applies it last.
      if (hasOther && (!hasWant || otherLine.line > wantLine.line) &&
          t.replaceOrAppend(other, want, true))
        return;
      if (t.replaceOrAppend(want, want, true)) return;
      t.replaceOrAppend(other, want, false);
      return;
    }
    case Field::NetGraph:
      if (value == "1") {
        put(t, cvarPrefix("net_graph"), "1");
        if (!v[Field::NetGraphPosition].empty())
          put(t, cvarPrefix("net_graphpos"), v[Field::NetGraphPosition]);
      } else if (value == "0") {
        put(t, cvarPrefix("net_graph"), "0");
      }
      return;
    case Field::AdjustCrosshair: {
      const WholeLineMode mode(t, kAdjustMin, kAdjustMax);
      if (value == "1")
        t.replaceOrAppend("adjust_crosshair", "adjust_crosshair", false);
      else if (value == "0")
        t.replaceOrAppend("adjust_crosshair", "", true);
      return;
    }
    case Field::Bob:
      if (value.empty()) return;
      put(t, cvarPrefix("cl_bob"), value == "1" ? "0.01" : "0");
      put(t, cvarPrefix("cl_bobup"), value == "1" ? "0.5" : "0");
      put(t, cvarPrefix("cl_bobcycle"), "0.8");
      return;
    case Field::TimeLimit:
      if (!value.empty()) put(t, cvarPrefix("mp_timelimit"), value);
      if (!v[Field::MaxRounds].empty()) put(t, cvarPrefix("mp_maxrounds"), v[Field::MaxRounds]);
      return;
    case Field::LimitTeams:
      if (!value.empty() && value != "0") {
        put(t, cvarPrefix("mp_limitteams"), value);
        put(t, cvarPrefix("mp_autoteambalance"), "0");
      } else {
        put(t, cvarPrefix("mp_limitteams"), "0");
        put(t, cvarPrefix("mp_autoteambalance"), "1");
      }
      return;
    default:
      break;
  }
  if (value.empty()) return;
  if (isFallbackRow(f)) {
    // The line the game applies keeps its form; with no form present the setinfo form is added.
    const std::vector<std::string> forms = settingForms(info);
    const std::string* latest = &forms.front();
    std::size_t latestLine = 0;
    bool any = false;
    for (const std::string& prefix : forms) {
      LineMatch m;
      if (findSettingLine(t.working, prefix, m) && (!any || m.line > latestLine)) {
        latest = &prefix;
        latestLine = m.line;
        any = true;
      }
    }
    put(t, *latest, value);
    return;
  }
  put(t, cvarPrefix(info.name), value);
}

}  // namespace

const std::array<FieldInfo, kFieldCount>& allFields() { return kFields; }

const FieldInfo& fieldInfo(Field field) { return kFields[static_cast<std::size_t>(field)]; }

std::optional<Field> fieldByName(std::string_view name) {
  for (const FieldInfo& info : kFields)
    if (info.name == name) return info.field;
  return std::nullopt;
}

std::string formatReading(const SettingsReading& reading) {
  std::string out;
  for (const FieldInfo& info : kFields) {
    out += info.name;
    out += '=';
    if (reading.found[static_cast<std::size_t>(info.field)]) out += reading.values[info.field];
    out += '\n';
  }
  return out;
}

SettingsReading readSettings(WizardTexts& texts) {
  SettingsReading r;
  for (const FieldInfo& info : kFields) readRow(texts, info, r);
  return r;
}

int applySettings(WizardTexts& texts, const SettingsValues& loaded, const SettingsValues& chosen) {
  int written = 0;
  for (std::size_t i = 0; i < kFields.size();) {
    // The fields of one row stand next to each other.
    std::size_t end = i + 1;
    while (end < kFields.size() && kFields[end].row == kFields[i].row) ++end;
    bool changed = false;
    for (std::size_t k = i; k < end; ++k)
      changed = changed || loaded[kFields[k].field] != chosen[kFields[k].field];
    if (changed) {
      writeRow(texts, kFields[i], chosen);
      ++written;
    }
    i = end;
  }
  return written;
}

std::string chooseValue(SettingsValues& values, Field field, std::string_view value) {
  const FieldInfo& info = fieldInfo(field);
  const std::string name(info.name);
  if (value.find_first_of("\"\r\n") != std::string_view::npos)
    return name + ": значение не может содержать кавычки и переводы строк";
  std::string chosen(value);
  switch (info.kind) {
    case K::Text:
      break;
    case K::Number:
      if (!value.empty()) {
        const auto n = wholeNumber(value);
        if (!n || *n < info.minimum || *n > info.maximum)
          return name + ": нужно целое число от " + std::to_string(info.minimum) + " до " +
                 std::to_string(info.maximum);
        chosen = std::to_string(*n);
      }
      break;
    case K::Switch:
      if (!isChoice(info, value)) {
        std::string list;
        for (const char c : info.choices) list += (list.empty() ? "" : ", ") + std::string(1, c);
        return name + ": допустимые значения: " + list;
      }
      break;
    case K::Colour: {
      const auto rgb = parseColour(value);
      bool exact = false;
      if (rgb) exact = formatColour(*rgb) == value;
      if (!exact) return name + ": нужны три числа от 0 до 255 через пробел, например \"255 0 0\"";
      break;
    }
  }
  values[field] = chosen;
  // Map change by time and by rounds exclude each other.
  if (field == Field::TimeLimit) values[Field::MaxRounds] = "0";
  if (field == Field::MaxRounds) values[Field::TimeLimit] = "0";
  return {};
}

std::optional<Rgb> parseColour(std::string_view value, std::string* badText) {
  int parts[3] = {0, 0, 0};
  std::size_t pos = 0;
  for (int& part : parts) {
    while (pos < value.size() && value[pos] == ' ') ++pos;
    std::size_t end = value.find(' ', pos);
    if (end == std::string_view::npos) end = value.size();
    const std::string_view token = value.substr(pos, end - pos);
    const auto n = wholeNumber(token);
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
  const auto n = wholeNumber(rate);
  if (!n) return -1;
  for (std::size_t i = 1; i < kConnectionRates.size(); ++i)
    if (std::to_string(*n) == kConnectionRates[i]) return static_cast<int>(i);
  return -1;
}

}  // namespace brindle::wizard
