#!/usr/bin/env python3
"""The window's layout figures, from the sources as they stand.

    python3 tools/layout/figures.py [--list]

Prints: the files that include the window's generated form; the uses of the
whole form outside them; the includes between the window's area folders that
run against the order the README's Layout writes down; the window's public
bases; the mutable globals; the string-based signal connections; and the
functions of src/mainwindow1 that nothing calls. --list names each finding.
"""
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
LIST = '--list' in sys.argv[1:]


def tracked(*paths):
    out = subprocess.run(['git', 'ls-files', '-co', '--exclude-standard', '--', *paths], cwd=ROOT,
                         capture_output=True, text=True, check=True).stdout
    return [ROOT / p for p in sorted(set(out.split())) if p.endswith(('.cpp', '.h')) and (ROOT / p).is_file()]


def text(path):
    return path.read_text(encoding='utf-8', errors='replace')


def rel(path):
    return str(path.relative_to(ROOT))


def show(title, items):
    print(f'{title}: {len(items)}')
    if LIST:
        for item in items:
            print(f'    {item}')


CODE = tracked('src', 'tests', 'bench', 'tools')
FORM_INCLUDE = re.compile(r'#include\s+"(ui_mainwindow1\.h|(mainwindow1/)?mainwindow1_ui\.h)"')
form_files = [p for p in CODE if FORM_INCLUDE.search(text(p))]
show('files including the generated form', [rel(p) for p in form_files])

# Any use of the form object: ui->, m_ui->, form()->, or a Ui::MainWindow1 outside those files.
FORM_USE = re.compile(r'\b(m_ui|ui)->|\bform\(\)|Ui::MainWindow1\b')
OWN_FORM = re.compile(r'#include\s+"ui_(?!mainwindow1)\w+\.h"')  # a dialog's own form
uses = []
for p in CODE:
    if p in form_files or OWN_FORM.search(text(p)):
        continue
    for n, line in enumerate(text(p).splitlines(), 1):
        if FORM_USE.search(line) and not line.lstrip().startswith('//'):
            uses.append(f'{rel(p)}:{n}: {line.strip()}')
show('uses of the whole form outside them', uses)

# The areas in the order the README writes down, the highest first.
readme = text(ROOT / 'README.md')
m = re.search(r'Areas,\s+from\s+the\s+top:\s*([^.]*)\.', readme)
order = re.findall(r'`(\w+)/`', m.group(1)) if m else []
print('written order of the areas: ' + (' > '.join(order) if order else 'none'))
against = []
AREA_INCLUDE = re.compile(r'#include\s+"mainwindow1/(\w+)/')
for p in tracked('src/mainwindow1'):
    parts = p.relative_to(ROOT / 'src/mainwindow1').parts
    if len(parts) < 2:
        continue
    area = parts[0]
    for n, line in enumerate(text(p).splitlines(), 1):
        inc = AREA_INCLUDE.search(line)
        if not inc or inc.group(1) == area:
            continue
        other = inc.group(1)
        if area not in order or other not in order or order.index(other) <= order.index(area):
            against.append(f'{rel(p)}:{n}: {area} -> {other}')
    for n, line in enumerate(text(p).splitlines(), 1):
        if re.search(r'#include\s+"mainwindow1/(mainwindow1|windowviews)\.h"', line):
            against.append(f'{rel(p)}:{n}: {area} -> the window')
show('includes between area folders against the written order', against)

header = text(ROOT / 'src/mainwindow1/mainwindow1.h')
decl = re.search(r'class MainWindow1\s*:([^{]*)\{', header)
bases = [b.strip() for b in decl.group(1).split(',')] if decl else []
show('public bases of the window', [b for b in bases if b.startswith('public')])

globals_ = []
for p in tracked('src'):
    for n, line in enumerate(text(p).splitlines(), 1):
        if re.match(r'\s*extern\s+(?!const\b)(?!"C")', line):
            globals_.append(f'{rel(p)}:{n}: {line.strip()}')
show('mutable globals', globals_)

strings = []
for p in tracked('src'):
    for n, line in enumerate(text(p).splitlines(), 1):
        if re.search(r'\b(SIGNAL|SLOT)\(', line):
            strings.append(f'{rel(p)}:{n}: {line.strip()}')
show('lines with string connections', strings)

# Functions declared in src/mainwindow1 that no line of the code calls: a
# name seen nowhere but where Universal Ctags finds it declared or defined.
# Slots the form connects by name, overrides, constructors and destructors
# are called by Qt or the language.
def tags(*paths):
    out = subprocess.run(['ctags', '-R', '-x', '--languages=C++', '--kinds-C++=+p', '--fields=+K', *paths],
                         cwd=ROOT, capture_output=True, text=True).stdout
    for line in out.splitlines():
        m = re.match(r'(\S+)\s+(\S+)\s+(\d+)\s+(\S+)\s+(.*)', line)
        if m:
            yield m.group(1), m.group(2), int(m.group(3)), m.group(4), m.group(5)


try:
    all_tags = list(tags('src', 'tests', 'bench', 'tools'))
except FileNotFoundError:
    all_tags = None
if all_tags is None:
    print('functions of src/mainwindow1 without a caller: not counted (no ctags)')
else:
    places = {}
    for name, kind, line, path, _ in all_tags:
        if kind in ('prototype', 'function'):
            places.setdefault(name, set()).add((path, line))
    lines_of = {rel(p): text(p).splitlines() for p in CODE}
    form = text(ROOT / 'src/forms/mainwindow1.ui')
    overrides = {name for name, kind, _, _, code in all_tags if re.search(r'\boverride\b', code)}
    uncalled = set()
    for name, kind, line, path, code in all_tags:
        if kind not in ('prototype', 'function') or not path.startswith('src/mainwindow1/'):
            continue
        if name in overrides or '~' in name or name.startswith(('operator', '__anon')):
            continue
        if re.match(r'(explicit\s+)?%s\s*\(' % re.escape(name), code.strip()):
            continue  # a constructor
        if name.startswith('on_') and re.search(r'name="%s"' % re.escape(name[3:].rsplit('_', 1)[0]), form):
            continue
        used = False
        pattern = re.compile(r'\b%s\b' % re.escape(name))
        for file, lines in lines_of.items():
            for n, text_line in enumerate(lines, 1):
                seen = len(pattern.findall(text_line))
                if (file, n) in places.get(name, ()):
                    seen -= 1  # a one-line forward calls its namesake on its own line
                if seen > 0:
                    used = True
                    break
            if used:
                break
        if not used:
            uncalled.add(name)
    show('functions of src/mainwindow1 without a caller', sorted(uncalled))
