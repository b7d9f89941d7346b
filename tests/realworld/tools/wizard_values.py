#!/usr/bin/env python3
"""Proposes, for each player config, what the game holds at the end for every setting the
configuration wizard shows. Written independently of the program, after the engine's console
code as ReHLDS publishes it:

  engine/cmd.cpp    Cbuf_Execute       a command ends at ';' outside quotes or at '\n'; the
                                       game's own engine does this inside '//' comments too
  engine/cmd.cpp    Cmd_TokenizeString words by COM_Parse, up to the end of the command
  engine/common.cpp COM_Parse          blanks are bytes <= 32; '//' starts a comment where a
                                       word would start; "..." is one word; { } ( ) ' , : are
                                       words of their own; a regular word runs to a blank
  engine/cmd.cpp    Cmd_ExecuteString  names ignore letter case; commands first, then aliases
                                       (their text is run in place), then variables
  engine/cmd.cpp    Cmd_Alias_f        the value is the remaining words joined by blanks
  engine/cvar.cpp   Cvar_Command       a variable takes its first argument only

Each file is taken alone (its `exec` lines are not followed), as the wizard reads it. `rcon`
lines set nothing in the game itself. The output is a proposal: every row was reviewed by eye
before it went into wizard-expected.tsv.

Usage: wizard_values.py FILE... > rows.tsv
"""
import re
import sys

VARIABLES = [
    'name', 'lefthand', 'cl_righthand', 'ah', '_ah', 'vgui_menus', '_vgui_menus', 'dm', 'ghosts',
    'con_color', 'r_drawviewmodel', 'hud_centerid', 'gl_spriteblend', 'fastsprites',
    'max_smokepuffs', 'max_shells', 'r_decals', 'net_graph', 'net_graphpos', 'gl_monolights',
    'cl_observercrosshair', 'cl_bob', 'cl_bobup', 'hud_fastswitch', 'gl_wateramp', 'm_filter',
    'sensitivity', 'zoom_sensitivity_ratio', 'scr_conspeed', 'mp_roundtime', 'mp_c4timer',
    'mp_freezetime', 'mp_timelimit', 'mp_maxrounds', 'mp_buytime', 'sv_restartround',
    'mp_winlimit', 'mp_friendlyfire', 'mp_autokick', 'mp_limitteams', 'mp_autoteambalance',
    'mp_hostagepenalty', 'mp_forcechasecam', 'mp_fadetoblack', 'mp_flashlight', 'mp_footsteps',
    'mp_startmoney', 'rate']
TEXT_VARIABLES = {'name', 'con_color'}
SETINFO_KEYS = {'_ah', 'ah', '_vgui_menus', 'vgui_menus', 'dm', 'ghosts', 'lefthand', 'name'}
# variables whose names an alias may not take (Cmd_Alias_f); enough for these files
VARIABLE_NAMES = set(VARIABLES) | {'m_pitch', 'm_yaw', 'volume', 'fps_max', 'gamma'}
SINGLE = set(b'{}()\',:')


def commands(text):
    """(line, command text) pairs in the order Cbuf_Execute runs them."""
    line = 1
    start = 0
    quotes = 0
    i = 0
    out = []
    cmd_line = 1
    while i <= len(text):
        c = text[i] if i < len(text) else 10
        if c == 34:
            quotes += 1
        if i == len(text) or c == 10 or (c == 59 and quotes % 2 == 0):
            out.append((cmd_line, text[start:i]))
            if i < len(text) and c == 10:
                line += 1
            start = i + 1
            quotes = 0
            cmd_line = line
        i += 1
    return out


def tokens(cmd):
    words = []
    i = 0
    n = len(cmd)
    while True:
        while i < n and cmd[i] <= 32:
            i += 1
        if i >= n:
            return words
        if cmd[i] == 47 and i + 1 < n and cmd[i + 1] == 47:
            return words
        if cmd[i] == 34:
            j = cmd.find(b'"', i + 1)
            if j < 0:
                words.append(cmd[i + 1:])
                return words
            words.append(cmd[i + 1:j])
            i = j + 1
            continue
        if cmd[i] in SINGLE:
            words.append(cmd[i:i + 1])
            i += 1
            continue
        j = i
        while j < n and cmd[j] > 32 and (j == i or cmd[j] not in SINGLE):
            j += 1
        words.append(cmd[i:j])
        i = j


def atof(text):
    m = re.match(rb'\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?', text)
    if not m:
        return '0'
    v = float(m.group(0))
    if v == int(v):
        return str(int(v))
    return repr(v)


def run(text):
    state = {}
    aliases = {}

    def execute(line, cmd, depth):
        w = tokens(cmd)
        if not w or depth > 32:
            return
        head = w[0].decode('latin-1').lower()
        if head == 'alias':
            if len(w) >= 2:
                nm = w[1].decode('latin-1').lower()
                if nm not in VARIABLE_NAMES:
                    aliases[nm] = b' '.join(w[2:])
            return
        if head == 'setinfo':
            if len(w) >= 3:
                key = w[1].decode('latin-1').lower()
                if key in SETINFO_KEYS:
                    state['setinfo ' + key] = (w[2], line)
            return
        if head in ('drawradar', 'hideradar'):
            state['radar'] = (b'1' if head == 'drawradar' else b'0', line)
            return
        if head == 'adjust_crosshair':
            count = int(state.get('adjust_crosshair', (b'0', 0))[0]) + 1
            state['adjust_crosshair'] = (str(count).encode(), line)
            return
        if head in aliases:
            for _, sub in commands(aliases[head]):
                execute(line, sub, depth + 1)
            return
        if head in VARIABLES and len(w) >= 2:
            state[head] = (w[1], line)

    for line, cmd in commands(text):
        execute(line, cmd, 0)
    return state


def show(value):
    try:
        return value.decode('utf-8')
    except UnicodeDecodeError:
        return value.decode('cp1251')


def main():
    order = ['name', 'setinfo name', 'cl_righthand', 'lefthand', 'setinfo lefthand', '_ah', 'ah',
             'setinfo _ah', 'setinfo ah', '_vgui_menus', 'vgui_menus', 'setinfo _vgui_menus',
             'setinfo vgui_menus', 'dm', 'setinfo dm', 'ghosts', 'setinfo ghosts', 'radar',
             'adjust_crosshair'] + VARIABLES
    for path in sys.argv[1:]:
        text = open(path, 'rb').read()
        state = run(text)
        for key in sorted(state, key=lambda k: order.index(k) if k in order else 999):
            value, line = state[key]
            bare = key.split(' ')[-1]
            numeric = bare not in TEXT_VARIABLES
            print('\t'.join([path, key, show(value), atof(value) if numeric else '', str(line)]))


if __name__ == '__main__':
    main()
