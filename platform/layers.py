#!/usr/bin/env python3
"""Checks that the parts of platform/ call and include only downwards.

    python3 platform/layers.py <build folder> [<build folder>...]

For every object file of platform/ in a build's compile_commands.json, the symbols it leaves
undefined (llvm-nm) are looked up among the symbols the other objects define; a reference to a
part higher in the order below is an upward call. The parts reach the backend that is linked
only through the functions backend.h asks of it (backend*). The SDL and web backends call the
window core and what lies below it, the accessibility part that backend.h offers, and start the
layer (registerSystemClasses); the AT-SPI module calls nothing of the layer; the headless
backend also drives dialogs and menus for tests, so it may call any part. The same order is
checked on the sources' #include lines. Prints the order, then every upward reference; fails if
there is one.
"""
import json
import os
import re
import shlex
import shutil
import subprocess
import sys

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Debian's llvm-14 names its tools with the version; the llvm package adds plain names.
NM = next((t for t in ('llvm-nm', 'llvm-nm-14') if shutil.which(t)), 'llvm-nm')
CXXFILT = next((t for t in ('llvm-cxxfilt', 'llvm-cxxfilt-14') if shutil.which(t)), 'llvm-cxxfilt')

# Bottom first: (part, the sources and headers under platform/ that make it).
ORDER = [
    ('support', ['gdi/cp1252.*', 'gdi/png.*', 'window/clock.*', 'win32.h']),
    ('resources', ['resources/resfile.*']),
    ('gdi', ['gdi/*']),
    ('backend interface', ['backend.h']),
    ('looks', ['window/edges.*']),
    ('loading', ['resources/load.cpp']),
    ('window core', ['window/window.*', 'window/nonclient.*', 'window/message.*',
                     'window/touch.*', 'window/paint.*', 'window/winpos.cpp',
                     'window/sleep.cpp', 'window/winevent.*']),
    ('DefWindowProc', ['window/defwnd.cpp']),
    ('controls', ['controls/*']),
    ('default dialog procedure', ['dialog/defdlg.*']),
    ('dialog manager', ['dialog/dialog.*']),
    ('accessibility', ['access/*']),
]
BACKENDS = [('sdl', ['sdl/*']), ('web', ['web/*']), ('headless', ['headless/*']),
            ('atspi', ['atspi/*'])]
CORE = ORDER.index(next(p for p in ORDER if p[0] == 'window core'))


def part_of(path):
    rel = os.path.relpath(path, os.path.join(TOP, 'platform'))
    for name, patterns in ORDER + BACKENDS:
        for pattern in patterns:
            if re.fullmatch(re.escape(pattern).replace(r'\*', '[^/]*'), rel):
                return name
    return None


def rank(part):
    names = [name for name, _ in ORDER]
    return names.index(part) if part in names else None


def allowed(caller, callee, symbol):
    if caller == callee:
        return True
    if caller == 'headless':
        return True
    if caller == 'atspi':
        return callee in ('support', 'backend interface')
    if callee == 'atspi':
        return caller == 'sdl'  # the module's entry points, which the SDL backend loads
    if caller in ('sdl', 'web'):
        return rank(callee) is not None and (rank(callee) <= CORE or callee == 'accessibility' or
                                             symbol == 'registerSystemClasses')
    if callee in ('sdl', 'web', 'headless'):
        return rank(caller) is not None and symbol.startswith('backend')
    return rank(callee) is not None and rank(callee) <= rank(caller)


def objects(build):
    with open(os.path.join(build, 'compile_commands.json')) as f:
        for entry in json.load(f):
            source = os.path.normpath(os.path.join(entry['directory'], entry['file']))
            part = part_of(source)
            words = shlex.split(entry['command'])
            if part and '-o' in words:
                yield part, source, os.path.join(entry['directory'], words[words.index('-o') + 1])


def symbols(obj):
    defined, undefined = set(), set()
    out = subprocess.run([NM, '-P', obj], capture_output=True, text=True, check=True)
    for line in out.stdout.splitlines():
        fields = line.split()
        if len(fields) >= 2:
            (undefined if fields[1] == 'U' else defined if fields[1] in 'TDBR' else set()).add(
                fields[0])
    return defined, undefined


def demangled(names):
    out = subprocess.run([CXXFILT], input='\n'.join(names), capture_output=True,
                         text=True, check=True)
    return dict(zip(names, out.stdout.splitlines()))


def check_calls(build, problems):
    found = [(part, source, symbols(obj)) for part, source, obj in objects(build)]
    owner = {}
    for part, source, (defined, _) in found:
        for symbol in defined:
            owner[symbol] = (part, source)
    calls = [(part, source, symbol) for part, source, (_, undefined) in found
             for symbol in sorted(undefined) if symbol in owner]
    names = demangled(sorted({symbol for _, _, symbol in calls}))
    for part, source, symbol in calls:
        callee, where = owner[symbol]
        if not allowed(part, callee, names[symbol].split('(')[0]):
            problems.append('%s (%s) calls %s of %s (%s)' % (
                os.path.relpath(source, TOP), part, names[symbol], os.path.relpath(where, TOP),
                callee))
    return {source for _, source, _ in found}


def check_includes(problems):
    for folder, _, files in os.walk(os.path.join(TOP, 'platform')):
        for name in sorted(files):
            path = os.path.join(folder, name)
            part = part_of(path)
            if not part or not name.endswith(('.cpp', '.h')):
                continue
            for line in open(path):
                match = re.match(r'#include "(platform/[^"]+)"', line)
                target = match and part_of(os.path.join(TOP, match.group(1)))
                if target and not allowed(part, target, ''):
                    problems.append('%s (%s) includes %s (%s)' % (
                        os.path.relpath(path, TOP), part, match.group(1), target))


def main():
    problems = []
    for build in sys.argv[1:] or ['build']:
        seen = check_calls(build, problems)
        print('%s: %d objects of platform/' % (build, len(seen)))
        if not seen:
            problems.append('%s holds no object of this tree\'s platform/ (not built yet?)' % build)
    check_includes(problems)
    print('Order, bottom first: ' + ' < '.join(name for name, _ in ORDER))
    for problem in problems:
        print('problem: ' + problem)
    print('%d upward references' % len(problems))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
