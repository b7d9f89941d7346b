// The config checks, one group of cases per check, with a small vocabulary of their own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/logic/ConfigCheck.h"

using namespace brindle;
using namespace brindle::editor;
using core::Offset;

namespace {

core::Vocabulary vocabulary() {
  core::KnownWords w;
  w.commands = {"bind",  "unbind", "unbindall", "alias",   "setinfo", "wait",
                "echo",  "say",    "fov",       "+attack", "-attack", "+jump",
                "-jump", "+duck",  "-duck",     "quit",    "exec"};
  w.variables = {"sensitivity", "name", "cl_bob", "cl_lw", "rate"};
  w.keyNames = {"MOUSE1", "SPACE", "F1", "a", "b", "'"};
  return core::Vocabulary(w);
}

// "LINE:COLUMN kind" of every problem.
std::vector<std::string> found(std::string_view text) {
  std::vector<std::string> out;
  for (const Problem& p : checkConfig(text, vocabulary()).problems)
    out.push_back(std::to_string(p.line) + ":" + std::to_string(p.column) + " " +
                  std::string(problemKindName(p.kind)));
  return out;
}

std::vector<Problem> problems(std::string_view text) {
  return checkConfig(text, vocabulary()).problems;
}

using Lines = std::vector<std::string>;

// "LINE severity: message" of every problem of a text checked as a config of that kind.
Lines messages(std::string_view text, ConfigKind kind) {
  CheckOptions o;
  o.kind = kind;
  Lines lines;
  for (const Problem& p : checkConfig(text, vocabulary(), o).problems)
    lines.push_back(std::to_string(p.line) + " " + std::string(severityName(p.severity)) + ": " +
                    p.message);
  return lines;
}

}  // namespace

TEST(ConfigCheck, ProblemsCarryOffsetLineAndColumn) {
  const std::string text = "echo\r\nbind X quit\nbind Y quit\rbind \"Z\" quit";
  const auto p = problems(text);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].offset, 11);
  EXPECT_EQ(p[0].length, 1);
  EXPECT_EQ(p[0].line, 2);
  EXPECT_EQ(p[0].column, 6);
  EXPECT_EQ(p[1].line, 3);
  EXPECT_EQ(p[2].line, 4);
  EXPECT_EQ(p[2].column, 6);
  EXPECT_EQ(p[2].length, 3);  // the quoted word with its quotes
  EXPECT_EQ(text.substr(static_cast<std::size_t>(p[2].offset), 3), "\"Z\"");
  EXPECT_EQ(p[0].severity, Severity::Error);
}

TEST(ConfigCheck, UnknownWordsCountTheFilesAliasesAsKnown) {
  EXPECT_EQ(found("sensitivty 2"), Lines{"1:1 unknown-word"});
  EXPECT_EQ(problems("sensitivty 2")[0].message,
            "неизвестная команда или переменная «sensitivty»; может быть, «sensitivity»?");
  // Names compare without regard to case; an alias counts wherever it is defined.
  EXPECT_EQ(found("SENSITIVITY 2\r\nmyjump\r\nalias MyJump +jump"), Lines{});
  // Commands inside the values of alias and bind are checked too.
  EXPECT_EQ(found("bind a \"+attack; sya hi\"\r\nalias x \"echo; nope\""),
            (Lines{"1:18 unknown-word", "2:16 unknown-word"}));
  // A "-" word whose "+" alias exists is the pair check's business.
  EXPECT_EQ(found("alias +jd +jump\r\nbind a +jd; -jd"), Lines{"1:7 unpaired-alias"});
  // The engine skips a UTF-8 byte-order mark at the start of a file.
  EXPECT_EQ(found("\xEF\xBB\xBFsensitivity 2"), Lines{});
  EXPECT_EQ(found("\xEF\xBB\xBFnosuch 2"), Lines{"1:4 unknown-word"});
  // A name is offered only when it alone is closest, never across "+"/"-" or from a word that
  // starts with another sign.
  EXPECT_EQ(problems("+jmup")[0].message,
            "неизвестная команда или переменная «+jmup»; может быть, «+jump»?");
  EXPECT_EQ(problems("/jump")[0].message,
            "неизвестная команда или переменная «/jump»: комментарий начинается с двух «/», а не "
            "с одной");
  // An alias the game refuses to create stays unknown.
  const std::string name32(32, 'n');
  EXPECT_EQ(found("alias " + name32 + " echo\r\n" + name32),
            (Lines{"1:7 alias-name-too-long", "2:1 unknown-word"}));
}

TEST(ConfigCheck, APlayersUnknownWordGoesToTheServer) {
  auto out = [](std::string_view text, ConfigKind kind = ConfigKind::Player) {
    return messages(text, kind);
  };
  // A note, once per word (letter case ignored), wherever it stands.
  EXPECT_EQ(out("bind a vipmenu\r\nbind b \"/cp\"\r\nalias m \"VIPMENU; podbotmenu\"\r\nvipmenu"),
            (Lines{"1 замечание: «vipmenu» неизвестна клиенту: уйдёт на сервер, если там есть "
                   "такой плагин",
                   "2 замечание: «/cp» неизвестна клиенту: уйдёт на сервер, если там есть такой "
                   "плагин",
                   "3 замечание: «podbotmenu» неизвестна клиенту: уйдёт на сервер, если там есть "
                   "такой плагин"}));
  // A warning where one known word alone is close: one change up to nine characters, each
  // line that does nothing. Two words as close ("nate": name, rate), a short word, or names
  // that differ only in their underscores (another game's) are no misspelling.
  const Lines close = out("sensitivty 1\r\nnate 1\r\nfox 1\r\nclbob 1\r\nsensitivty 2");
  ASSERT_EQ(close.size(), 5u);
  for (const std::size_t i : {0u, 4u})
    EXPECT_EQ(close[i].substr(close[i].find(' ') + 1),
              "предупреждение: неизвестная команда или переменная «sensitivty»; может быть, "
              "«sensitivity»?");
  for (const std::size_t i : {1u, 2u, 3u})
    EXPECT_NE(close[i].find("замечание"), std::string::npos) << close[i];
  // Words written wrong whatever the server has: "+" of a command without that form, a quote
  // or a blank inside a word, a known name glued to its value with '='.
  EXPECT_EQ(
      out("bind a +say\r\necho\"hi\"\r\nsensitivity=2"),
      (Lines{"1 предупреждение: «+say» — у команды «say» нет формы с «+»: игра её не выполнит",
             "2 предупреждение: неизвестная команда или переменная «echo\"hi\"»: перед "
             "кавычкой нужен пробел, без него игра читает кавычку как часть слова "
             "(имелось в виду «echo»?)",
             "3 предупреждение: «sensitivity=2» — для консоли одно слово: между именем и "
             "значением нужен пробел, а «=» не пишется"}));
  // A server has nobody to hand the word to.
  EXPECT_EQ(out("vipmenu", ConfigKind::Server),
            Lines{"1 предупреждение: неизвестная команда или переменная «vipmenu»"});
}

TEST(ConfigCheck, AConsoleScriptTakesTheEqualsSignAsTheValue) {
  EXPECT_EQ(problems("sensitivity = 2")[0].message,
            "«sensitivity»: консоль возьмёт значением «=», а не «2»; «=» между именем и значением "
            "не пишется: «sensitivity 2»");
  EXPECT_EQ(found("sensitivity = 2\r\nbind a +jump"), Lines{"1:1 equals-sign"});
  // Mostly "[section]" and "key = value" lines: a plugin's own format, one note.
  const std::string own = "# settings\r\n[main]\r\nspeed = 2\r\nmode=fast\r\nbind a +jump";
  EXPECT_EQ(found(own), Lines{"2:1 own-format"});
  EXPECT_EQ(problems(own)[0].severity, Severity::Note);
  // '#' comments all through and lines no console command starts like: a bot's own table.
  EXPECT_EQ(found("# skill 0-19\r\n#\r\n# delays\r\nMIN_DELAY 0.8\r\nMAX_DELAY 1.0\r\n"
                  "[NORMAL]\r\n-1,0,2"),
            Lines{"4:1 own-format"});
  // Sections and ';' comments: an ini file whatever its lines; a table of numbers.
  EXPECT_EQ(found("; chat\r\n;\r\n;\r\n[KILLED]\r\nSorry, %v.\r\nsee you\r\n[DIED]\r\nOuch\r\nok"),
            Lines{"4:1 own-format"});
  EXPECT_EQ(found("-2198 -538 179 8\r\n-1675 -298 179 6\r\n341 -869 51 5"),
            Lines{"1:1 own-format"});
  // The options dialog's description of its settings (user.cfg, settings.cfg).
  EXPECT_EQ(found("VERSION 1.0\r\nDESCRIPTION INFO_OPTIONS\r\n{\r\n\t\"cl_bob\"\r\n\t{\r\n"
                  "\t\t\"#Bob\"\r\n\t\t{ BOOL }\r\n\t\t{ \"1\" }\r\n\t}\r\n}"),
            Lines{"3:1 own-format"});
  // A script with '#' for comments stays a script: each '#' line is a finding.
  EXPECT_EQ(
      found("# binds\r\n# jump\r\n# duck\r\nbind a +jump\r\nMIN_DELAY 1"),
      (Lines{"1:1 unknown-word", "2:1 unknown-word", "3:1 unknown-word", "5:1 unknown-word"}));
  // A console word before the '=' is a console line written wrong.
  EXPECT_EQ(found("sensitivity = 2\r\nname = x\r\n[a]"),
            (Lines{"1:1 equals-sign", "2:1 equals-sign", "3:1 unknown-word"}));
}

TEST(ConfigCheck, AConfigTheGameWroteHasOneNoteForAnotherBuildsVariables) {
  const std::string header =
      "// This file is overwritten whenever you change your user settings in the game.\r\n";
  const std::string body =
      "unbindall\r\nbind a \"+jump\"\r\nbind b \"podbotmenu\"\r\ncl_shadows \"1\"\r\n"
      "gl_dither \"1\"\r\ncl_shadows \"0\"\r\nsensitivty \"2\"\r\nsensitivity \"2\"\r\n"
      "exec userconfig.cfg\r\n";
  const Lines expected{
      "3 замечание: «podbotmenu» неизвестна клиенту: уйдёт на сервер, если там "
      "есть такой плагин",
      "4 замечание: переменные другой сборки клиента: 3, например «cl_shadows», "
      "«gl_dither», «sensitivty»; игра записала их сама, эта сборка их не знает"};
  auto out = [](std::string_view text) {
    Lines lines;
    for (const Problem& p : checkConfig(text, vocabulary()).problems)
      lines.push_back(std::to_string(p.line) + " " + std::string(severityName(p.severity)) + ": " +
                      p.message);
    return lines;
  };
  // By its shape alone, and by its header (the lines move down by one).
  EXPECT_EQ(out(body), expected);
  Lines moved = expected;
  for (std::string& l : moved) l[0] = static_cast<char>(l[0] + 1);
  EXPECT_EQ(out(header + body), moved);
  // Without that shape each is a word of its own.
  EXPECT_EQ(out(body.substr(body.find("bind a"))).size(), 4u);
}

TEST(ConfigCheck, TextAfterASemicolonInACommentRuns) {
  EXPECT_EQ(found("// my config; version 2; x\r\n// plain comment"),
            Lines{"1:15 command-in-comment"});
  EXPECT_EQ(problems("// a; b")[0].severity, Severity::Warning);
  EXPECT_EQ(found("// say \"a; b\""), Lines{});
}

TEST(ConfigCheck, KeyNamesTheGameAccepts) {
  EXPECT_EQ(found("bind mouse1 +attack; bind space +jump; bind ' say"), Lines{});
  EXPECT_EQ(found("bind MOUSE9 +attack"), Lines{"1:6 bad-key-name"});
  // A one-letter name is that character's code; the keyboard sends letters in lower case.
  EXPECT_EQ(problems("bind A +jump")[0].message,
            "«A» — клавиша, которой нет на клавиатуре: имя из одного символа игра берёт как код "
            "этого символа, а клавиатура посылает строчные буквы, так что клавиша «a» останется "
            "с прежней привязкой; вероятно, имелась в виду клавиша «a»");
  EXPECT_EQ(found("unbind KP_BOGUS"), Lines{"1:8 bad-key-name"});
  EXPECT_EQ(found("bind \"\" +jump"), Lines{"1:6 bad-key-name"});
  EXPECT_EQ(found("bind; unbind"), Lines{});  // listing, not binding
}

TEST(ConfigCheck, PlusAndMinusAliasesComeInPairs) {
  EXPECT_EQ(found("alias +jd \"+jump; +duck\"\r\nalias -jd \"-jump; -duck\""), Lines{});
  EXPECT_EQ(found("alias +jd \"+jump; +duck\""), Lines{"1:7 unpaired-alias"});
  EXPECT_EQ(found("alias -jd -jump\r\nalias -jd -duck"), Lines{"1:7 unpaired-alias"});
  EXPECT_NE(problems("alias -jd -jump")[0].message.find("«+jd»"), std::string::npos);
}

TEST(ConfigCheck, AliasesThatCallEachOtherWithoutWaitFreezeTheGame) {
  EXPECT_EQ(found("alias loop \"echo hi; loop\""), Lines{"1:7 alias-cycle"});
  EXPECT_EQ(found("alias a b\r\nalias b \"echo; c\"\r\nalias c a"), Lines{"1:7 alias-cycle"});
  EXPECT_EQ(problems("alias a b\r\nalias b a")[0].message,
            "алиасы вызывают друг друга без wait, игра зависнет: «a» → «b» → «a»");
  // A wait before the call lets the frame end: the classic repeating script.
  EXPECT_EQ(found("alias loop \"echo hi; wait; loop\""), Lines{});
  // A wait after the call is never reached.
  EXPECT_EQ(found("alias loop \"loop; wait\""), Lines{"1:7 alias-cycle"});
  // A wait reached through another alias ends the frame as well, wherever that alias is.
  EXPECT_EQ(found("alias w2 \"wait; wait\"\r\nalias w3 w2\r\n"
                  "alias loop \"+attack; w3; -attack; w3; loop\""),
            Lines{});
  EXPECT_EQ(found("alias w2 wait\r\nalias loop \"loop; w2\""), Lines{"2:7 alias-cycle"});
  // Toggles redefine an alias inside another: no call, no cycle.
  EXPECT_EQ(
      found("alias zt z1\r\nalias z1 \"fov 40; alias zt z2\"\r\nalias z2 \"fov 90; alias zt z1\""),
      Lines{});
  // A command of the same name runs the command, not the alias.
  EXPECT_EQ(found("alias say \"say hi\""), Lines{});
  // Every definition counts: an alias redefined to call itself.
  EXPECT_EQ(found("alias r echo\r\nalias r \"r\""), Lines{"1:7 alias-cycle"});
  // A ring of 2000 aliases: one problem, a shortened chain, no deep recursion.
  std::string ring;
  for (int i = 0; i < 2000; ++i)
    ring += "alias r" + std::to_string(i) + " r" + std::to_string((i + 1) % 2000) + "\r\n";
  const auto p = problems(ring);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_NE(p[0].message.find("…"), std::string::npos);
  EXPECT_LT(p[0].message.size(), 300u);
}

TEST(ConfigCheck, AddOnsWordsGetOneNotePerUnknownPrefix) {
  const std::string text =
      "csdm_active 1\r\ncsdm_mode 2\r\nCSDM_ACTIVE 0\r\nfoo_x 1\r\nsv_bogus 1\r\nplain 1";
  auto out = [&](ConfigKind kind) { return messages(text, kind); };
  // In a plugin's config every unknown word is the add-on's.
  EXPECT_EQ(out(ConfigKind::Plugin),
            (Lines{"1 замечание: неизвестный модуль: 2 переменные csdm_…",
                   "4 замечание: неизвестный модуль: 1 переменная foo_…",
                   "5 замечание: неизвестный модуль: 1 переменная sv_…",
                   "6 замечание: неизвестный модуль: 1 переменная без общей приставки, как "
                   "«plain»"}));
  // In a server's, those of a prefix no stock word has; a stock prefix stays a misspelling.
  EXPECT_EQ(out(ConfigKind::Server),
            (Lines{"1 замечание: неизвестный модуль: 2 переменные csdm_…",
                   "4 замечание: неизвестный модуль: 1 переменная foo_…",
                   "5 предупреждение: неизвестная команда или переменная «sv_bogus»",
                   "6 предупреждение: неизвестная команда или переменная «plain»"}));
}

TEST(ConfigCheck, AliasNamesTheGameRefuses) {
  const std::string name31(31, 'n');
  EXPECT_EQ(found("alias " + name31 + " echo"), Lines{});
  EXPECT_EQ(found("alias " + name31 + "x echo"), Lines{"1:7 alias-name-too-long"});
  EXPECT_EQ(found("alias sensitivity echo"), Lines{"1:7 alias-name-taken"});
  EXPECT_EQ(found("alias CL_REBUY echo"), Lines{"1:7 alias-name-taken"});
}

TEST(ConfigCheck, SetinfoKeysValuesAndTheUserInfoString) {
  EXPECT_EQ(found("setinfo " + std::string(126, 'k') + " " + std::string(126, 'v')), Lines{});
  EXPECT_EQ(found("setinfo " + std::string(127, 'k') + " 1"), Lines{"1:9 setinfo-key"});
  EXPECT_EQ(found("setinfo k " + std::string(127, 'v')), Lines{"1:11 setinfo-value"});
  EXPECT_EQ(found("setinfo *sid 1"), Lines{"1:9 setinfo-key"});
  EXPECT_EQ(found("setinfo \"a\\b\" 1; setinfo a \"x..y\"; setinfo \"\" 1"),
            (Lines{"1:9 setinfo-key", "1:28 setinfo-value", "1:44 setinfo-key"}));
  // Pairs "\key\value" add up; the one that would pass 255 characters is refused.
  std::string text;
  for (int i = 0; i < 5; ++i)
    text += "setinfo k" + std::to_string(i) + " " + std::string(48, 'v') + "\r\n";
  EXPECT_EQ(found(text), Lines{"5:1 userinfo-too-long"});  // 5 pairs of 52 make 260
  // Setting a key again replaces it; an empty value removes it.
  std::string again;
  for (int i = 0; i < 10; ++i) again += "setinfo k " + std::string(100, 'v') + "\r\n";
  again += "setinfo k \"\"\r\nsetinfo j " + std::string(120, 'v') + "\r\nsetinfo h " +
           std::string(120, 'v');
  EXPECT_EQ(found(again), Lines{});
  // The user-info variables share the string.
  EXPECT_EQ(found("name " + std::string(121, 'n') + "\r\nsetinfo k " + std::string(126, 'v')),
            Lines{"2:1 userinfo-too-long"});
}

TEST(ConfigCheck, AKeyBoundTwiceKeepsOnlyTheLaterBind) {
  EXPECT_EQ(found("bind F1 quit\r\nbind a +jump\r\nbind f1 \"say hi\""),
            Lines{"1:6 key-bound-twice"});
  EXPECT_EQ(problems("bind F1 quit\r\n\r\nbind f1 echo")[0].message,
            "клавиша «F1» привязана ещё раз в строке 3: эта привязка не действует");
  EXPECT_EQ(found("bind F1 quit\r\nunbindall\r\nbind F1 echo"), Lines{});
  EXPECT_EQ(found("bind F1 quit\r\nunbind f1\r\nbind F1 echo"), Lines{});
  // Asking for a binding and rebinding from inside a script are no second bind.
  EXPECT_EQ(found("bind F1 quit\r\nbind F1\r\nalias x \"bind F1 echo\""), Lines{});
  // One-character keys compare exactly.
  EXPECT_EQ(found("bind a quit\r\nbind b quit"), Lines{});
}

TEST(ConfigCheck, ValuesAndSidesComeFromTheWordBase) {
  core::KnownWords w;
  w.commands = {"kick"};
  w.base = {
      {"sv_alltalk", false, true, "engine", core::WordSide::Server, core::ValueRule::parse("0..5")},
      {"mp_friendlyfire", false, true, "game", core::WordSide::Server, {}},
      {"sv_aim", false, true, "engine", core::WordSide::Server, {}},
      {"cl_lw", false, true, "engine", core::WordSide::Client, {}},
      {"fps_max", false, true, "engine", core::WordSide::Both, {}}};
  const core::Vocabulary v(w);
  auto kinds = [&](std::string_view text, ConfigKind kind) {
    CheckOptions o;
    o.kind = kind;
    Lines out;
    for (const Problem& p : checkConfig(text, v, o).problems)
      out.push_back(std::to_string(p.line) + " " + std::string(problemKindName(p.kind)));
    return out;
  };
  // Only a source's range or list judges a value; there is no guess from the explanations.
  const std::string values = "sv_alltalk 3\r\nsv_alltalk 6\r\nsv_aim 2\r\nsv_alltalk";
  EXPECT_EQ(kinds(values, ConfigKind::Server), (Lines{"2 bad-value"}));
  EXPECT_EQ(checkConfig("sv_alltalk 6", v, CheckOptions{ConfigKind::Server, nullptr, true})
                .problems[0]
                .message,
            "«sv_alltalk»: значение «6» вне допустимых (от 0 до 5)");
  // A variable of the other side: the game's server rules in a player's config (the engine's
  // own server variables the player's game keeps and writes itself), the client's in a
  // server's.
  const std::string sides = "mp_friendlyfire 1\r\nsv_aim 0\r\ncl_lw 1\r\nfps_max 100\r\nkick x";
  EXPECT_EQ(kinds(sides, ConfigKind::Player), (Lines{"1 wrong-side"}));
  EXPECT_EQ(kinds(sides, ConfigKind::Server), (Lines{"3 wrong-side"}));
  EXPECT_EQ(kinds(sides, ConfigKind::Plugin), (Lines{"3 wrong-side"}));
}

TEST(ConfigCheck, QuotesNulBytesAndOverlongCommands) {
  EXPECT_EQ(found("say \"hi\r\necho \"ok\""), Lines{"1:5 unclosed-quote"});
  // Reported once, not again for the value of the bind that holds it.
  EXPECT_EQ(found("bind a say \"hi"), Lines{"1:12 unclosed-quote"});
  EXPECT_EQ(found(std::string("echo a\r\necho \0 b\0", 17)), Lines{"2:6 nul-byte"});
  EXPECT_EQ(found("echo " + std::string(1018, 'x')), Lines{});
  EXPECT_EQ(found("echo " + std::string(1019, 'x') + "; echo"), Lines{"1:1 command-too-long"});
}

TEST(ConfigCheck, TheLineChecksOfTheHighlighter) {
  const core::Vocabulary v = vocabulary();
  const std::string line = "bind MOUSE9 +jd; bind A x; alias +jd echo; nosuch";
  std::vector<std::string> kinds;
  for (const Problem& p : checkLine(line, v)) {
    EXPECT_TRUE(isLineProblem(p.kind));
    kinds.emplace_back(problemKindName(p.kind));
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"bad-key-name", "bad-key-name"}));
  for (const ProblemKind k :
       {ProblemKind::UnknownWord, ProblemKind::UnpairedAlias, ProblemKind::AliasCycle,
        ProblemKind::UserinfoTooLong, ProblemKind::KeyBoundTwice})
    EXPECT_FALSE(isLineProblem(k));
  // The whole check finds those and more, and the aliases the file defines.
  const CheckResult r = checkConfig(line, v);
  EXPECT_EQ(r.errorCount(), 2u);
  EXPECT_EQ(r.warningCount(), 1u);  // the unpaired "+jd"; "nosuch" and "x" are notes
  EXPECT_EQ(r.aliases, (core::NameSet{"+jd"}));
}
