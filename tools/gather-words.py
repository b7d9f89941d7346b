#!/usr/bin/env python3
"""Gathers the word base data/words/*.tsv from checkouts of public sources.

Every source is given as OWNER/NAME=PATH[@COMMIT]: the repository it was checked out from, the
folder of the checkout and, when the folder is no git work tree, the commit it holds. Only
names and facts are taken (kind, origin, the side that reads a word, values where the source
states them); no source text is copied. tools/words/gather-all.sh runs it over a folder of
checkouts with the sources the shipped files came from.

    tools/gather-words.py --out data/words \\
        --rehlds rehlds/ReHLDS=/src/ReHLDS \\
        --regamedll rehlds/ReGameDLL_CS=/src/ReGameDLL_CS \\
        --halflife ValveSoftware/halflife=/src/halflife \\
        --metamod theAsmodai/metamod-r=/src/metamod-r \\
        --amxmodx alliedmodders/amxmodx=/src/amxmodx \\
        --xash FWGS/xash3d-fwgs=/src/xash3d-fwgs \\
        --cs16client Velaron/cs16-client=/src/cs16-client \\
        --reference tools/words/classic-names \\
        --gamewritten OWNER/NAME=/src/x/cstrike/config.cfg@COMMIT ... \\
        --plugin NAME=OWNER/REPO=/src/plugin[/file.sma][@COMMIT] ...

Rows: name, kind (cmd|var|key), origin, side (client|server|both), values (empty, MIN..MAX
with either end open, or a|b|c). Files: keys.tsv, engine.tsv, client.tsv, game.tsv, rehlds.tsv,
regamedll.tsv, metamod.tsv, amxmodx.tsv, hltv.tsv, plugins.tsv.
"""

import argparse
import os
import re
import subprocess
import sys
from collections import defaultdict

ORIGINS = ["engine", "client", "game", "rehlds", "regamedll", "metamod", "amxmodx", "hltv"]
FILE_OF_ORIGIN = {o: o + ".tsv" for o in ORIGINS}
SIDE_BITS = {"client": 1, "server": 2, "both": 3}
SIDE_NAMES = {1: "client", 2: "server", 3: "both"}
NAME_RE = re.compile(r"^[A-Za-z0-9_+\-.@!#$%&*~]+$")


# ---------------------------------------------------------------- sources

class Source:
    """One checkout: repository, folder, commit, and the files words came from."""

    def __init__(self, argument, repo=None):
        if repo is None:
            repo, _, rest = argument.partition("=")
            if not rest:
                sys.exit(f"source {argument!r}: write OWNER/NAME=PATH[@COMMIT]")
        else:
            rest = argument
        path, _, commit = rest.partition("@")
        self.repo = repo
        self.path = path
        self.commit = commit or git_commit(path)

    def file(self, relative):
        return os.path.join(self.path, relative)

    def read(self, relative):
        try:
            with open(self.file(relative), "rb") as f:
                return f.read().decode("utf-8", "replace")
        except OSError:
            return None

    def files(self, under, extensions):
        top = self.file(under)
        out = []
        for root, _, names in os.walk(top):
            for n in names:
                if n.lower().endswith(extensions):
                    out.append(os.path.relpath(os.path.join(root, n), self.path))
        return sorted(out)

    def header(self, paths):
        return f"# source: {self.repo} {self.commit} " + " ".join(sorted(paths))


def git_commit(path):
    top = path if os.path.isdir(path) else os.path.dirname(path)
    try:
        return subprocess.run(["git", "-C", top, "rev-parse", "HEAD"], capture_output=True,
                              text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return "unknown-commit"


# ---------------------------------------------------------------- C and C++ sources

def strip_comments(text, escape="\\"):
    """The text with comments blanked (strings kept), line breaks kept. Pawn escapes with '^'."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if c == '"' or c == "'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == escape else 1
            out.append(text[i:j + 1])
            i = j + 1
        elif text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def conditions(text):
    """For every line, the preprocessor symbols that must be defined for it to compile."""
    stack = []  # (symbols, positive)
    result = []
    for line in text.split("\n"):
        s = line.strip()
        m = re.match(r"#\s*(ifdef|ifndef|if|elif|else|endif)\b(.*)", s)
        if m:
            what, rest = m.group(1), m.group(2)
            symbols = set(re.findall(r"[A-Z_][A-Z0-9_]{2,}", rest)) - {"defined"}
            if what == "ifdef":
                stack.append((symbols, True))
            elif what == "ifndef":
                stack.append((symbols, False))
            elif what == "if":
                stack.append((symbols, not rest.strip().startswith("!")))
            elif what == "elif" and stack:
                stack[-1] = (symbols, True)
            elif what == "else" and stack:
                stack[-1] = (stack[-1][0], not stack[-1][1])
            elif what == "endif" and stack:
                stack.pop()
        active = set()
        for symbols, positive in stack:
            if positive:
                active |= symbols
        result.append(active)
    return result


def calls(text, functions):
    """(function, first string argument, line index, rest of the call) for calls with a literal
    first argument."""
    if not functions:
        return
    pattern = re.compile(r"\b(" + "|".join(re.escape(f) for f in functions) +
                         r")\s*\(\s*(?:\(char\s*\*\)\s*)?\"([^\"\n]*)\"(?=([^;]{0,800}))")
    for m in pattern.finditer(text):
        yield m.group(1), m.group(2), text.count("\n", 0, m.start()), m.group(3)


CVAR_DEF = re.compile(r"\bcvar_t\s+(\w+)(?:\s*\[\s*\])?\s*=\s*\{\s*\"([^\"\n]+)\"")
CVAR_REG = re.compile(r"\b(?:Cvar_RegisterVariable|CVAR_REGISTER|g_engfuncs\.pfnCVarRegister)"
                      r"\s*\(\s*&\s*(\w+)")


class Words:
    """Every word found, by origin; sides and values merged."""

    def __init__(self):
        self.rows = {}  # (lower name, kind) -> dict

    def add(self, name, kind, origin, side, source, path, values=""):
        if not name or not NAME_RE.match(name) or len(name) > 64:
            return
        key = (name.lower(), kind)
        row = self.rows.get(key)
        if row is None:
            row = {"name": name, "kind": kind, "origin": origin, "side": 0, "values": "",
                   "sources": set()}
            self.rows[key] = row
        elif rank(origin) < rank(row["origin"]):
            row["origin"] = origin
        row["side"] |= SIDE_BITS[side]
        if values and not row["values"]:
            row["values"] = values
        if source is not None and path:
            row["sources"].add((source, path, origin))

    def has(self, name, kind=None):
        if kind:
            return (name.lower(), kind) in self.rows
        return (name.lower(), "cmd") in self.rows or (name.lower(), "var") in self.rows


def rank(origin):
    return ORIGINS.index(origin) if origin in ORIGINS else len(ORIGINS)


def c_words(text, var_calls, cmd_calls):
    """Variables defined as cvar_t with a name, registered variables and commands of one C/C++
    file: (name, kind, symbols active where it is registered)."""
    code = strip_comments(text)
    cond = conditions(code)
    defs = {}
    for m in CVAR_DEF.finditer(code):
        defs[m.group(1)] = (m.group(2), cond[code.count("\n", 0, m.start())])
    registered = set()
    out = []
    for m in CVAR_REG.finditer(code):
        var = m.group(1)
        if var in defs:
            name, at_def = defs[var]
            out.append((name, "var", at_def | cond[code.count("\n", 0, m.start())]))
            registered.add(var)
    for var, (name, at_def) in defs.items():
        if var not in registered:
            out.append((name, "var", at_def))
    for fn, name, line, _ in calls(code, var_calls):
        out.append((name, "var", cond[line]))
    for fn, name, line, _ in calls(code, cmd_calls):
        out.append((name, "cmd", cond[line]))
    return out


# ---------------------------------------------------------------- the gatherers

def gather_rehlds(src, words):
    """The server engine: cvar_t definitions and Cmd_AddCommand. Words registered under a ReHLDS
    switch (REHLDS_FIXES, REHLDS_...) or in its own folder are ReHLDS's; the rest is the
    engine's."""
    for rel in src.files("rehlds/engine", (".cpp", ".h")) + src.files("rehlds/rehlds",
                                                                      (".cpp", ".h")):
        text = src.read(rel)
        for name, kind, cond in c_words(text, ["Cvar_Get"],
                                        ["Cmd_AddCommand", "Cmd_AddCommandWithFlags"]):
            own = (rel.startswith("rehlds/rehlds/") or any(s.startswith("REHLDS") for s in cond)
                   or name.startswith("sv_rehlds_"))
            words.add(name, kind, "rehlds" if own else "engine", rehlds_side(rel, name), src,
                      rel)


HLTV_COMMAND = re.compile(r"\bRegisterCommand\s*\(\s*\"([^\"\n]+)\"|"
                          r"\{\s*\"([A-Za-z_][\w]*)\"\s*,\s*CMD_ID_\w+")


def gather_hltv(src, words):
    """The relay proxy (HLTV) and the demo player of the game client, from ReHLDS's HLTV/
    folder: the commands each module registers (System::RegisterCommand with a literal name, or
    its table of { "name", CMD_ID_... } rows). The demo player runs inside the game client; the
    other modules make up the relay program, which reads its own hltv.cfg. A name the engine or
    the game already has keeps that origin: the relay's "name" or "status" is no new word."""
    for rel in src.files("rehlds/HLTV", (".cpp",)):
        code = strip_comments(src.read(rel))
        # The demo player's commands and those a spectator's client sends to the relay
        # (ProxyClient, BaseClient) are typed at the client; the rest at the relay.
        side = ("client" if rel.startswith("rehlds/HLTV/DemoPlayer/")
                or rel.endswith(("/ProxyClient.cpp", "/BaseClient.cpp")) else "server")
        for m in HLTV_COMMAND.finditer(code):
            name = m.group(1) or m.group(2)
            if words.has(name):
                continue
            words.add(name, "cmd", "hltv", side, src, rel)


def rehlds_side(rel, name):
    """The classic engine holds the client and the server in one program; the dedicated server's
    source tells the parts apart by file: the server's own files (sv_*.cpp) and ReHLDS's own
    folder serve the server, the stubs of the client part (cl_null.cpp and the like) name the
    client's words, and the shared files (commands, variables, host, files) serve both."""
    base = os.path.basename(rel)
    if base.endswith("_null.cpp"):
        return "client"
    if (base.startswith("sv_") or rel.startswith("rehlds/rehlds/")
            or name.lower().startswith(("sv_", "mp_"))):
        return "server"
    return "both"


def documented_values(text):
    """Values from a documented configuration file (ReGameDLL's dist/game.cfg, AMX Mod X's
    configs/amxx.cfg): a variable whose comment lists numeric values ("0 - disabled",
    "1 - enabled") and nothing else, with its default among them, takes the range from the
    least to the greatest."""
    out = {}
    if text is None:
        return out
    block = []
    for line in text.splitlines():
        s = line.strip()
        if s.startswith("//"):
            block.append(s[2:].strip())
            continue
        m = re.match(r'([A-Za-z_][\w]*)\s+"?([^"\s]*)"?', s)
        if m and block:
            values, flags, default = [], False, None
            for b in block:
                v = re.match(r"(-?\d+(?:\.\d+)?)\s*-\s", b)
                if v:
                    values.append(float(v.group(1)))
                if re.match(r"[a-z]\s*-\s", b):
                    flags = True
                d = re.match(r'Default value:\s*"?([^"\s]*)"?\s*$', b)
                if d:
                    default = d.group(1)
            try:
                dv = float(default) if default is not None else None
            except ValueError:
                dv = None
            if (len(values) >= 2 and not flags and dv is not None
                    and min(values) <= dv <= max(values)
                    and all(float(int(v)) == v for v in values)):
                out[m.group(1).lower()] = f"{int(min(values))}..{int(max(values))}"
        block = []
    return out


def gather_regamedll(src, words):
    """The game library: cvar_t definitions registered in game.cpp and elsewhere, server
    commands, and the commands a client sends (ClientCommand). REGAMEDLL_ADD marks its own
    additions."""
    values = documented_values(src.read("dist/game.cfg"))
    for rel in src.files("regamedll", (".cpp", ".h")):
        if "/extra/" in rel or "/unittests/" in rel or "/test" in rel:
            continue
        text = src.read(rel)
        for name, kind, cond in c_words(text, [],
                                        ["ADD_SERVER_COMMAND", "AddServerCommand",
                                         "REG_SVR_COMMAND"]):
            origin = "regamedll" if "REGAMEDLL_ADD" in cond else "game"
            words.add(name, kind, origin, "server", src, rel, values.get(name.lower(), ""))
            if name.lower() in values:
                words.add(name, kind, origin, "server", src, "dist/game.cfg")
        if rel.endswith("dlls/client.cpp"):
            code = strip_comments(text)
            cond = conditions(code)
            for m in re.finditer(r"FStrEq\s*\(\s*pcmd\s*,\s*\"([^\"]+)\"", code):
                c = cond[code.count("\n", 0, m.start())]
                words.add(m.group(1), "cmd", "regamedll" if "REGAMEDLL_ADD" in c else "game",
                          "client", src, rel)


def gather_halflife(src, words):
    """The client library of the SDK (cl_dll): its variables and commands."""
    for rel in src.files("cl_dll", (".cpp", ".h")):
        text = src.read(rel)
        for name, kind, cond in c_words(text,
                                        ["CVAR_CREATE", "gEngfuncs.pfnRegisterVariable"],
                                        ["HOOK_COMMAND", "gEngfuncs.pfnAddCommand",
                                         "HOOK_COMMAND_FUNC"]):
            words.add(name, kind, "client", "client", src, rel)


def gather_metamod(src, words):
    for rel in src.files("metamod/src", (".cpp", ".h")):
        text = src.read(rel)
        for name, kind, cond in c_words(text, [],
                                        ["REG_SVR_COMMAND", "g_engfuncs.pfnAddServerCommand"]):
            words.add(name, kind, "metamod", "server", src, rel)


PAWN_CVAR = re.compile(r"\b(register_cvar|create_cvar)\s*\(\s*\"([^\"\n]+)\"(?=([^;]{0,800}))")
PAWN_CMD = re.compile(r"\b(register_concmd|register_clcmd|register_srvcmd)\s*\(\s*\"([^\"\n]+)\"")
PAWN_SIDE = {"register_concmd": "both", "register_clcmd": "client", "register_srvcmd": "server"}


def pawn_bounds(rest):
    """MIN..MAX from create_cvar(name, value, flags, description, has_min, min, has_max, max)."""
    depth, arg, args = 0, "", []
    for c in rest.lstrip(","):
        if c == "(":
            depth += 1
        elif c == ")":
            if depth == 0:
                break
            depth -= 1
        if c == "," and depth == 0:
            args.append(arg.strip())
            arg = ""
        else:
            arg += c
    args.append(arg.strip())
    # args: value, flags, description, has_min, min, has_max, max
    named = {}
    positional = []
    for a in args:
        m = re.match(r"\.(\w+)\s*=\s*(.*)", a)
        if m:
            named[m.group(1)] = m.group(2)
        else:
            positional.append(a)
    keys = ["string", "flags", "description", "has_min", "min_val", "has_max", "max_val"]
    values = dict(zip(keys, positional))
    values.update(named)

    def number(s):
        s = (s or "").rstrip("fF ")
        return s if re.match(r"^-?\d+(\.\d+)?$", s) else None

    low = number(values.get("min_val")) if values.get("has_min") == "true" else None
    high = number(values.get("max_val")) if values.get("has_max") == "true" else None
    if low is None and high is None:
        return ""
    return f"{number_text(low or '')}..{number_text(high or '')}"


PAWN_DEFINE = re.compile(r"^\s*#define\s+(\w+)\s+(\"[^\"\n]*\")", re.M)


def pawn_words(text):
    code = strip_comments(text, "^")
    # Names given through a macro: #define NAME_CVAR "amx_name".
    for m in PAWN_DEFINE.finditer(code):
        code = re.sub(r"(\b(?:register_cvar|create_cvar|register_concmd|register_clcmd|"
                      r"register_srvcmd)\s*\(\s*)" + m.group(1) + r"\b",
                      lambda c: c.group(1) + m.group(2), code)
    for m in PAWN_CVAR.finditer(code):
        values = pawn_bounds(m.group(3)) if m.group(1) == "create_cvar" else ""
        yield m.group(2), "var", "server", values
    for m in PAWN_CMD.finditer(code):
        yield m.group(2), "cmd", PAWN_SIDE[m.group(1)], ""


def gather_amxmodx(src, words):
    """The core (cvar_t definitions, server commands) and the stock plugins: the common ones
    in plugins/ and the game's own in plugins/cstrike/."""
    other_games = ("/dod", "/tfc", "/ns", "/ts", "/esf")
    core = src.files("amxmodx", (".cpp", ".h"))
    modules = [r for r in src.files("modules", (".cpp", ".h"))
               if not any(g in r[len("modules"):] for g in other_games)]
    for rel in core + modules:
        for name, kind, cond in c_words(src.read(rel), [], ["REG_SVR_COMMAND"]):
            words.add(name, kind, "amxmodx", "server", src, rel)
    plugins = [r for r in src.files("plugins", (".sma",))
               if r.count("/") == 1 or r.startswith("plugins/cstrike/")]
    for rel in plugins:
        for name, kind, side, values in pawn_words(src.read(rel)):
            words.add(name, kind, "amxmodx", side, src, rel, values)
    for rel in ("configs/amxx.cfg", "configs/cstrike/amxx.cfg"):
        for name, values in documented_values(src.read(rel)).items():
            row = words.rows.get((name, "var"))
            if row is not None and row["origin"] == "amxmodx" and not row["values"]:
                row["values"] = values
                row["sources"].add((src, rel, "amxmodx"))


CPP_PLUGIN_CVAR = re.compile(r"\b(?:\w*CvarRegister|this->Register|\w*[Cc]var\w*\.Register|CVAR_CREATE)\s*\(\s*\"([^\"\n]+)\"")
CPP_PLUGIN_CMD = re.compile(r"\b(?:REG_SVR_COMMAND|g_engfuncs\.pfnAddServerCommand|"
                            r"pfnAddServerCommand)\s*\(\s*\"([^\"\n]+)\"")
CPP_CLIENT_CMD = re.compile(r"\b(?:Q_stricmp|stricmp|strcmp|FStrEq|_stricmp)\s*\(\s*pcmd\s*,"
                            r"\s*\"([A-Za-z_][\w]*)\"\s*\)")
CONVAR = re.compile(r'\bConVar\s+\w+\s*\(\s*"([^"\n]+)"\s*,\s*"[^"\n]*"\s*,\s*'
                    r'"(?:[^"\\]|\\.)*"\s*(?:,\s*(true|false)\s*'
                    r'(?:,\s*(-?[\d.]+)f?\s*(?:,\s*(-?[\d.]+)f?)?)?)?')


def gather_plugin(name, src, words):
    """A plugin's words. Pawn plugins (.sma, .inc): register_cvar, create_cvar with its bounds,
    register_concmd, register_clcmd, register_srvcmd. Metamod plugins (C++): the variables they
    register through their helpers (CvarRegister, Register in the cvar class), the server
    commands they add, and the client commands their ClientCommand compares `pcmd` with. A bot
    whose variables are ConVar objects (YaPB) gets the prefix its product header names."""
    if os.path.isfile(src.path):
        base, files = os.path.dirname(src.path), [os.path.basename(src.path)]
    else:
        base = src.path
        files = src.files("", (".sma", ".inc", ".cpp", ".h"))
    prefix = ""
    for rel in files:
        if rel.endswith("product.h"):
            m = re.search(r"cmdPri\s*\{\s*\"(\w+)\"", read_text(os.path.join(base, rel)))
            if m:
                prefix = m.group(1) + "_"
                for c in re.findall(r"cmd(?:Pri|Sec)\s*\{\s*\"(\w+)\"",
                                    read_text(os.path.join(base, rel))):
                    words.add(c, "cmd", "plugin:" + name, "server", src, rel)
    origin = "plugin:" + name
    for rel in files:
        text = read_text(os.path.join(base, rel))
        if rel.endswith((".sma", ".inc")):
            if "/include/" in "/" + rel and not rel.startswith(name):
                continue  # the includes of AMX Mod X itself, carried along
            for word, kind, side, values in pawn_words(text):
                words.add(word, kind, origin, side, src, rel, values)
            continue
        for word, kind, cond in c_words(text, [], ["REG_SVR_COMMAND"]):
            words.add(word, kind, origin, "server", src, rel)
        code = strip_comments(text)
        for m in CPP_PLUGIN_CVAR.finditer(code):
            words.add(m.group(1), "var", origin, "server", src, rel)
        for m in CPP_PLUGIN_CMD.finditer(code):
            words.add(m.group(1), "cmd", origin, "server", src, rel)
        for m in CPP_CLIENT_CMD.finditer(code):
            words.add(m.group(1), "cmd", origin, "client", src, rel)
        if prefix:
            for m in CONVAR.finditer(code):
                values = ""
                if m.group(2) == "true" and m.group(3):
                    values = f"{number_text(m.group(3))}..{number_text(m.group(4) or '')}"
                words.add(prefix + m.group(1), "var", origin, "server", src, rel, values)


def number_text(s):
    s = s.rstrip(".")
    return s[:-2] if s.endswith(".0") else s


def read_text(path):
    with open(path, "rb") as f:
        return f.read().decode("utf-8", "replace")


# ---------------------------------------------------------------- client engine names

def reference_rows(ref_dir):
    """(name, kind, source column) of the shared reference lists."""
    rows = []
    for root, _, names in os.walk(ref_dir):
        for n in sorted(names):
            if not n.endswith(".tsv"):
                continue
            kind = "cmd" if n.startswith("commands_") else "var"
            with open(os.path.join(root, n), encoding="utf-8") as f:
                for line in f:
                    parts = line.rstrip("\n").split("\t")
                    if len(parts) >= 3 and parts[0]:
                        rows.append((parts[0].split()[0], kind, parts[2],
                                     os.path.relpath(os.path.join(root, n), ref_dir)))
    return rows


MODERN = re.compile(r"\{modern:(xash|cs16-client)\}")


def gather_client_engine(xash, cs16, ref_dir, ref_source, words):
    """Words of the game client and its engine. The engine's client part has no public source;
    the open re-implementations register the classic names among their own, and the reference
    lists tell the classic ones apart: a name they mark as an addition of a re-implementation is
    left out. Names the reference knows only from period documents count as the engine's."""
    classic = {}
    for name, kind, column, rel in reference_rows(ref_dir):
        if MODERN.search(column):
            continue
        classic[(name.lower(), kind)] = (column, rel)
    found = set()
    if xash is not None:
        for rel in xash.files("engine", (".c", ".h")) + xash.files("ref", (".c", ".h")):
            code = strip_comments(xash.read(rel))
            names = [(m.group(1), "var") for m in
                     re.finditer(r"\bCVAR_DEFINE\s*\(\s*\w+\s*,\s*\"([^\"]+)\"",
                                 code) if m.group(1)]
            names += [(m.group(1), "var") for m in
                      re.finditer(r"\bCVAR_DEFINE_AUTO\s*\(\s*(\w+)\s*,", code)]
            names += [(n, k) for n, k, _ in c_words(xash.read(rel),
                                                     ["Cvar_Get"],
                                                     ["Cmd_AddCommand", "Cmd_AddRestrictedCommand",
                                                      "Cmd_AddClientCommand",
                                                      "Cmd_AddCommandWithFlags"])]
            server = rel.startswith("engine/server/")
            common = rel.startswith("engine/common/")
            for name, kind in names:
                if (name.lower(), kind) not in classic:
                    continue
                side = "server" if server else "both" if common else "client"
                words.add(name, kind, "engine", side, xash, rel)
                found.add((name.lower(), kind))
    if cs16 is not None:
        for rel in cs16.files("cl_dll", (".cpp", ".h")):
            for name, kind, cond in c_words(cs16.read(rel),
                                            ["CVAR_CREATE", "gEngfuncs.pfnRegisterVariable"],
                                            ["HOOK_COMMAND", "gEngfuncs.pfnAddCommand",
                                             "HOOK_COMMAND_FUNC"]):
                if (name.lower(), kind) in classic:
                    words.add(name, kind, "client", "client", cs16, rel)
                    found.add((name.lower(), kind))
    # Names of the classic game that no scanned source registers: the reference's own evidence.
    for (lname, kind), (column, rel) in classic.items():
        if (lname, kind) in found or words.has(lname, kind):
            continue
        # A name the lists give as a variable and also among the commands (as `name`) is the
        # variable: one engine cannot register both.
        if kind == "cmd" and (lname, "var") in classic and not MODERN.search(column):
            if classic[(lname, "var")][0].split(",")[0] == column.split(",")[0] or \
                    words.has(lname, "var"):
                continue
        first = column.split(",")[0]
        if first.startswith("regamedll:"):
            origin, side = "game", "client" if kind == "cmd" else "server"
        elif first.startswith(("halflife:dlls", "halflife:dmc/dlls")):
            origin, side = "game", "server"
        elif first.startswith("rehlds:"):
            origin, side = "engine", "server"
        elif first.startswith(("halflife:cl_dll", "cs16-client:")):
            origin, side = "client", "client"
        elif first.startswith("xash3d-fwgs:engine/server"):
            origin, side = "engine", "server"
        elif first.startswith("xash3d-fwgs:engine/common"):
            origin, side = "engine", "both"
        elif lname.startswith(("sv_", "mp_")):
            origin, side = "engine", "server"
        else:
            origin, side = "engine", "client"
        name = next(n for n, k, _, r in reference_rows_cache(ref_dir)
                    if n.lower() == lname and k == kind)
        words.add(name, kind, origin, side, ref_source, rel)


_REF_CACHE = {}


def reference_rows_cache(ref_dir):
    if ref_dir not in _REF_CACHE:
        _REF_CACHE[ref_dir] = reference_rows(ref_dir)
    return _REF_CACHE[ref_dir]


GAME_WRITTEN = "// This file is overwritten whenever you change your user settings in the game."


def gather_game_written(sources, words, least=2, least_bound=3):
    """Variables of configs the game wrote itself (Host_WriteConfiguration writes the key
    bindings and the archived variables after its first line). A variable counts when at least
    `least` of the files hold it, so that a line a player added by hand does not; a command
    bound to a key counts when at least `least_bound` files bind it and none defines it as an
    alias (the game's default bindings name its commands)."""
    seen = defaultdict(set)
    bound = defaultdict(set)
    aliases = set()
    for src in sources:
        with open(src.path, "rb") as f:
            text = f.read().decode("utf-8", "replace")
        if not text.startswith(GAME_WRITTEN):
            print(f"not written by the game, skipped: {src.repo} {src.path}", file=sys.stderr)
            continue
        for line in text.splitlines()[1:]:
            m = re.match(r'([A-Za-z_][\w]*)\s+"[^"]*"\s*$', line.strip())
            if m and m.group(1).lower() not in ("bind", "unbindall"):
                seen[m.group(1)].add(src)
            b = re.match(r'bind\s+"[^"]*"\s+"([^";\s]+)"\s*$', line.strip())
            if b:
                bound[b.group(1)].add(src)
            a = re.match(r'alias\s+"?([^"\s]+)', line.strip())
            if a:
                aliases.add(a.group(1).lower())
    for name, srcs in sorted(seen.items()):
        if len(srcs) >= least and not words.has(name, "var"):
            for s in srcs:
                words.add(name, "var", "client", "client", s, relpath_in_repo(s))
        elif words.has(name, "var"):
            # The client archives it, so the client reads it too.
            row = words.rows[(name.lower(), "var")]
            if not row["side"] & SIDE_BITS["client"]:
                print(f"read by the client too (a game-written config holds it): {name}",
                      file=sys.stderr)
            row["side"] |= SIDE_BITS["client"]
    for name, srcs in sorted(bound.items()):
        if (len(srcs) >= least_bound and name.lower() not in aliases
                and not words.has(name) and not name[0] in "+-"):
            for s in srcs:
                words.add(name, "cmd", "client", "client", s, relpath_in_repo(s))


def relpath_in_repo(src):
    """The path of a single-file source inside its repository: the part after the folder named
    after the repository (OWNER+NAME), else the file name."""
    parts = src.path.replace("\\", "/").split("/")
    marker = src.repo.replace("/", "+")
    return "/".join(parts[parts.index(marker) + 1:]) if marker in parts else parts[-1]


# ---------------------------------------------------------------- the key table

def gather_keys(xash, halflife, ref_dir):
    """The names `bind` accepts. Key_StringToKeynum (engine/client/input/in_keys.c of the
    engine re-implementation) returns a one-character name as that character and compares the
    longer names without regard to case with its key table. The table's names whose key
    numbers the classic engine defines (public/keydefs.h of the SDK) are kept, with JOY1-4 and
    AUX1-32 that keydefs.h defines and the classic table names so (the reference key list); the
    one-character names are the printable characters a keyboard sends: no upper-case letter
    (the engine sends letters in lower case) and no double quote (it cannot be written). The
    row of "#" starts with "#" and a tab, which tells it from a comment line."""
    keydefs = halflife.read("public/keydefs.h") or ""
    defined = set(re.findall(r"#define\s+(K_\w+)", keydefs))
    table = xash.read("engine/client/input/in_keys.c") or ""
    with open(os.path.join(ref_dir, "keys.txt"), encoding="utf-8") as f:
        reference = [l.strip() for l in f if l.strip()]
    names = []
    for m in re.finditer(r'\{\s*"([A-Z0-9_]+)"\s*,\s*([^,\s]+)\s*,', table):
        name, key = m.group(1), m.group(2)
        # The re-implementation renamed some keys (JOY1 is its LTRIGGER): a name counts when
        # the classic key list names it too.
        if (key in defined or key == "';'") and name in reference:
            names.append(name)
    for name in reference:
        if name not in names and ("K_" + name) in defined:
            names.append(name)
    singles = [chr(c) for c in range(33, 127) if not ("A" <= chr(c) <= "Z") and chr(c) != '"']
    return names, singles


# ---------------------------------------------------------------- writing

def write_file(path, title, origins, rows):
    """`origins`: (source, path) pairs the rows came from; one header line per source."""
    lines = ["# " + title,
             "# Columns: name, kind (cmd|var|key), origin, side (client|server|both), values.",
             "# Written by tools/gather-words.py; regenerate it rather than editing it."]
    paths = defaultdict(set)
    for source, rel in origins:
        paths[source].add(rel)
    for s in sorted(paths, key=lambda s: s.repo.lower()):
        lines.append(s.header(paths[s]))
    lines += rows
    # Data files beside the program are ASCII (CP1251) with CR LF breaks, as all of its files.
    with open(path, "w", encoding="cp1251", errors="replace", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--out", required=True)
    for kind in ("rehlds", "regamedll", "halflife", "metamod", "amxmodx", "xash", "cs16client"):
        p.add_argument("--" + kind)
    p.add_argument("--reference", required=True,
                   help="folder of the lists of classic names (tools/words/classic-names)")
    p.add_argument("--gamewritten", action="append", default=[])
    p.add_argument("--plugin", action="append", default=[], help="NAME=OWNER/REPO=PATH[@COMMIT]")
    a = p.parse_args()

    src = {k: Source(getattr(a, k)) if getattr(a, k) else None
           for k in ("rehlds", "regamedll", "halflife", "metamod", "amxmodx", "xash",
                     "cs16client")}
    # The lists of classic names carry their evidence per name; the header names the folder.
    # Named relative to this checkout, wherever the script is run from.
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ref = Source(os.path.relpath(os.path.abspath(a.reference), top).replace(os.sep, "/") + "=" +
                 a.reference +
                 "@(evidence per name inside)")
    words = Words()
    if src["rehlds"]:
        gather_rehlds(src["rehlds"], words)
    if src["regamedll"]:
        gather_regamedll(src["regamedll"], words)
    if src["halflife"]:
        gather_halflife(src["halflife"], words)
    gather_client_engine(src["xash"], src["cs16client"], a.reference, ref, words)
    gamewritten = [Source(g) for g in a.gamewritten]
    gather_game_written(gamewritten, words)
    if src["metamod"]:
        gather_metamod(src["metamod"], words)
    if src["amxmodx"]:
        gather_amxmodx(src["amxmodx"], words)
    plugins = []
    for argument in a.plugin:
        name, _, rest = argument.partition("=")
        s = Source(rest)
        plugins.append(s)
        gather_plugin(name, s, words)
    # Last: a relay word counts only where no other source knows the name.
    if src["rehlds"]:
        gather_hltv(src["rehlds"], words)

    os.makedirs(a.out, exist_ok=True)
    by_file = defaultdict(list)
    for row in sorted(words.rows.values(), key=lambda r: (r["name"].lower(), r["kind"])):
        origin = row["origin"]
        file = FILE_OF_ORIGIN.get(origin, "plugins.tsv")
        by_file[file].append(row)
    titles = {"engine.tsv": "Words of the engine (client and server parts).",
              "client.tsv": "Words of the game's client library and of configs the game wrote.",
              "game.tsv": "Words of the game's server library (stock Counter-Strike 1.6).",
              "rehlds.tsv": "Words that only the maintained server engine ReHLDS adds.",
              "regamedll.tsv": "Words that only the maintained game library ReGameDLL_CS adds.",
              "metamod.tsv": "Words of Metamod.",
              "amxmodx.tsv": "Words of AMX Mod X: its core and its stock plugins.",
              "hltv.tsv": "Words of the relay proxy (HLTV) and the client's demo player.",
              "plugins.tsv": "Words of common public server plugins (origin plugin:<name>)."}
    for file, title in titles.items():
        rows = by_file.get(file, [])
        if not rows and file == "plugins.tsv":
            continue
        used = {(s, p) for r in rows for s, p, o in r["sources"] if o == r["origin"]}
        text_rows = [f'{r["name"]}\t{r["kind"]}\t{r["origin"]}\t{SIDE_NAMES[r["side"]]}\t'
                     f'{r["values"]}' for r in rows]
        write_file(os.path.join(a.out, file), title, used, text_rows)
        print(f"{file}: {len(rows)} words")

    if src["xash"] and src["halflife"]:
        names, singles = gather_keys(src["xash"], src["halflife"], a.reference)
        rows = [f"{n}\tkey\tengine\tclient\t" for n in names + singles]
        write_file(os.path.join(a.out, "keys.tsv"),
                   "The engine's key table: the names `bind` accepts.",
                   [(src["xash"], "engine/client/input/in_keys.c"),
                    (src["halflife"], "public/keydefs.h"), (ref, "keys.txt")], rows)
        print(f"keys.tsv: {len(rows)} names")


if __name__ == "__main__":
    main()
