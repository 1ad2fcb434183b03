#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Makes the three aligned character tables (character_tables.inc) from their
first 1,024 positions (seed_tables.txt) and OpenCC's character dictionaries,
as Debian's opencc package ships them.

  make_tables.py            write character_tables.inc and LICENSE-OpenCC.txt
                            beside this script
  make_tables.py --check    exit 1 if the committed file differs from what
                            this script makes now
  make_tables.py --export DIR   write the dictionaries as text into DIR

Both conversions look a character up at its first occurrence in the source
table and take the character at the same position of the target table:
简→繁 searches the simplified table, 繁→简 the traditional one. Past the seed,
each position is ordered so that both lookups give OpenCC's forms:
  简→繁 f(c) = TWVariants(first candidate of STCharacters(c)), Taiwan's forms;
  繁→简 g(c) = first candidate of TSCharacters(c);
  and every other character maps to itself in both directions.
"""
import argparse
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SEED = os.path.join(HERE, 'seed_tables.txt')
OUTPUT = os.path.join(HERE, 'character_tables.inc')
# What travels with the tables wherever they are shipped.
LICENCE = os.path.join(HERE, 'LICENSE-OpenCC.txt')
DICTIONARIES = ('STCharacters', 'TSCharacters', 'TWVariants')
CHUNK = 100


def export_dictionaries(folder):
    for name in DICTIONARIES:
        subprocess.run(['opencc_dict', '-i', f'/usr/share/opencc/{name}.ocd2', '-o',
                        os.path.join(folder, f'{name}.txt'), '-f', 'ocd2', '-t', 'text'],
                       check=True)


def opencc_version():
    return subprocess.run(['dpkg-query', '-W', '-f=${Version}', 'opencc'], check=True,
                          capture_output=True, text=True).stdout


def read_dictionary(path):
    """Each key with its first candidate; entries outside the BMP are left out,
    since a table position holds one code unit."""
    first = {}
    with open(path, encoding='utf-8') as lines:
        for line in lines:
            key, candidates = line.rstrip('\n').split('\t')
            candidate = candidates.split(' ')[0]
            if len(key) == 1 and len(candidate) == 1 and ord(key) < 0x10000 \
                    and ord(candidate) < 0x10000:
                first[key] = candidate
    return first


def read_seed():
    tables = {'S': [], 'T': [], 'M': []}
    with open(SEED, encoding='utf-8') as lines:
        for line in lines:
            if not line.startswith('#'):
                letter, chunk = line.rstrip('\n').split(' ')
                tables[letter].append(chunk)
    return tables


def extra_positions(simplified, traditional, to_traditional, to_simplified):
    """The pairs (simplified, traditional) that follow the seed, in order.

    A pair is placed when a character needs converting and its first
    occurrence is not yet decided: the pair (c, f(c)) for 简→繁, (g(c), c) for
    繁→简. Where the new pair would be the first occurrence of its other
    character too, and that occurrence would convert it wrongly, the pair that
    converts that character rightly is placed before it, recursively; a pair
    of a character with itself, such as 溯→溯 before 遡→溯, settles the other
    direction. Characters are taken in code point order, 简→繁 first."""
    decided_simplified = set(simplified)
    decided_traditional = set(traditional)
    pairs = []
    in_progress = set()

    def place(pair):
        if pair in in_progress:
            sys.exit(f'make_tables.py: no order places {pair} before itself')
        in_progress.add(pair)
        s, t = pair
        if s not in decided_simplified and to_traditional(s) != t:
            place((s, to_traditional(s)))
        if t not in decided_traditional and to_simplified(t) != s:
            place((to_simplified(t), t))
        if s not in decided_simplified or t not in decided_traditional:
            pairs.append(pair)
            decided_simplified.add(s)
            decided_traditional.add(t)
        in_progress.discard(pair)

    for unit in range(0x10000):
        c = chr(unit)
        if c not in decided_simplified and to_traditional(c) != c:
            place((c, to_traditional(c)))
    for unit in range(0x10000):
        c = chr(unit)
        if c not in decided_traditional and to_simplified(c) != c:
            place((to_simplified(c), c))
    return pairs


def first_occurrence_lookup(source, target):
    lookup = {}
    for s, t in zip(source, target):
        lookup.setdefault(s, t)
    return lambda c: lookup.get(c, c)


def make_tables(dictionaries):
    st = read_dictionary(os.path.join(dictionaries, 'STCharacters.txt'))
    ts = read_dictionary(os.path.join(dictionaries, 'TSCharacters.txt'))
    tw = read_dictionary(os.path.join(dictionaries, 'TWVariants.txt'))

    def to_traditional(c):
        return tw.get(st.get(c, c), st.get(c, c))

    def to_simplified(c):
        return ts.get(c, c)

    seed = read_seed()
    simplified, traditional, martian = (''.join(seed[k]) for k in 'STM')
    pairs = extra_positions(simplified, traditional, to_traditional, to_simplified)
    extra_simplified = ''.join(s for s, _ in pairs)
    extra_traditional = ''.join(t for _, t in pairs)
    tables = {
        'S': seed['S'] + chunks(extra_simplified),
        'T': seed['T'] + chunks(extra_traditional),
        # No look-alikes are known past the seed: 火星文 keeps those characters.
        'M': seed['M'] + chunks(extra_simplified),
    }

    # Every BMP code unit, through the first-occurrence lookup as the program
    # does it: the seed decides its own characters, OpenCC all others.
    full = {k: ''.join(v) for k, v in tables.items()}
    lookup_traditional = first_occurrence_lookup(full['S'], full['T'])
    lookup_simplified = first_occurrence_lookup(full['T'], full['S'])
    for unit in range(0x10000):
        c = chr(unit)
        if c not in simplified and lookup_traditional(c) != to_traditional(c):
            sys.exit(f'make_tables.py: 简→繁 gives {lookup_traditional(c)} for {c}')
        if c not in traditional and lookup_simplified(c) != to_simplified(c):
            sys.exit(f'make_tables.py: 繁→简 gives {lookup_simplified(c)} for {c}')
    return tables


def chunks(text):
    return [text[i:i + CHUNK] for i in range(0, len(text), CHUNK)]


def render(tables, version):
    length = sum(map(len, tables['S']))
    out = [
        '// SPDX-License-Identifier: MIT AND Apache-2.0',
        '// Made by convert/tables/make_tables.py from seed_tables.txt and OpenCC\'s',
        f'// STCharacters, TSCharacters and TWVariants (Debian\'s opencc {version});',
        '// do not edit. OpenCC\'s dictionaries: Copyright 2010-2022 BYVoid',
        '// <byvoid.kcp@gmail.com>, under the Apache License, Version 2.0.',
        f'// {length} positions: the 1,024 of the seed, then {length - 1024} from OpenCC.',
        '',
    ]
    for name, letter in (('kMartianChunks', 'M'), ('kSimplifiedChunks', 'S'),
                         ('kTraditionalChunks', 'T')):
        out.append(f'constexpr std::u16string_view {name}[] = {{')
        out.extend(f'    u"{chunk}",' for chunk in tables[letter])
        out.append('};')
    return '\n'.join(out) + '\n'


def licence(version):
    with open('/usr/share/common-licenses/Apache-2.0', encoding='utf-8') as apache:
        text = apache.read()
    return (f'tavro\'s character tables for 简→繁 and 繁→简 are made from OpenCC\'s\n'
            f'character dictionaries (STCharacters, TSCharacters, TWVariants), as\n'
            f'Debian\'s opencc {version} ships them.\n\n'
            'OpenCC: Copyright 2010-2022 BYVoid <byvoid.kcp@gmail.com>\n'
            'Licensed under the Apache License, Version 2.0:\n\n' + text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--check', action='store_true')
    parser.add_argument('--export', metavar='DIR')
    args = parser.parse_args()
    if args.export:
        os.makedirs(args.export, exist_ok=True)
        export_dictionaries(args.export)
        return
    with tempfile.TemporaryDirectory() as folder:
        export_dictionaries(folder)
        tables = make_tables(folder)
    version = opencc_version()
    made = {OUTPUT: render(tables, version), LICENCE: licence(version)}
    for path, text in made.items():
        if args.check:
            with open(path, encoding='utf-8') as committed:
                if committed.read() != text:
                    sys.exit(f'{path} differs from what make_tables.py makes now: '
                             'run convert/tables/make_tables.py and review the change')
        else:
            with open(path, 'w', encoding='utf-8') as out:
                out.write(text)
    if args.check:
        print('the tables and their licence are what make_tables.py makes')
        return
    print(f'{OUTPUT}: {sum(map(len, tables["S"]))} positions')


if __name__ == '__main__':
    main()
