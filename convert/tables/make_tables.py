#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Makes the three aligned character tables (character_tables.inc) from their
first 1,024 positions (first_positions.txt) and OpenCC's character dictionaries,
as Debian's opencc package ships them, the forms a converted character may
take (character_forms.inc), and the phrases that decide which form the word
around a character asks for (phrases.inc), from OpenCC's phrase dictionaries.

  make_tables.py            write character_tables.inc, character_forms.inc,
                            phrases.inc and LICENSE-OpenCC.txt beside this
                            script
  make_tables.py --check    exit 1 if the committed file differs from what
                            this script makes now
  make_tables.py --export DIR   write the dictionaries as text into DIR

Both conversions look a character up at its first occurrence in the source
table and take the character at the same position of the target table:
简→繁 searches the simplified table, 繁→简 the traditional one. Past the first
positions, each position is ordered so that both lookups give OpenCC's forms:
  简→繁 f(c) = TWVariants(first candidate of STCharacters(c)), Taiwan's forms;
  繁→简 g(c) = first candidate of TSCharacters(c);
  and every other character maps to itself in both directions.

The forms of a character are what the user may choose instead of what a
conversion wrote, because the right one depends on the word (头发 頭髮, 发展
發展): for 简→繁 the form written, then the other candidates of STCharacters,
each through TWVariants; for 繁→简 the form written, then the other candidates
of TSCharacters and the first positions' other places of the character (疊: 迭, 叠).

The phrases are the words OpenCC converts as a whole: STPhrases, each
phrase's first candidate through TWVariants, as s2tw converts it, for 简→繁;
TSPhrases for 繁→简. All of them are kept, as they decide where words begin;
with each, the forms it writes at characters that have more than one form
and that the conversion writes otherwise: there the word asks for another
form than the one written.
"""
import argparse
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FIRST_POSITIONS = os.path.join(HERE, 'first_positions.txt')
OUTPUT = os.path.join(HERE, 'character_tables.inc')
FORMS = os.path.join(HERE, 'character_forms.inc')
PHRASES = os.path.join(HERE, 'phrases.inc')
# What travels with the tables wherever they are shipped.
LICENCE = os.path.join(HERE, 'LICENSE-OpenCC.txt')
DICTIONARIES = ('STCharacters', 'TSCharacters', 'TWVariants', 'STPhrases', 'TSPhrases')
CHUNK = 100


def export_dictionaries(folder):
    for name in DICTIONARIES:
        subprocess.run(['opencc_dict', '-i', f'/usr/share/opencc/{name}.ocd2', '-o',
                        os.path.join(folder, f'{name}.txt'), '-f', 'ocd2', '-t', 'text'],
                       check=True)


def opencc_version():
    return subprocess.run(['dpkg-query', '-W', '-f=${Version}', 'opencc'], check=True,
                          capture_output=True, text=True).stdout


def read_candidates(path):
    """Each key with its candidates in order; characters outside the BMP are
    left out, since a table position holds one code unit."""
    def in_bmp(text):
        return len(text) == 1 and ord(text) < 0x10000

    candidates = {}
    with open(path, encoding='utf-8') as lines:
        for line in lines:
            key, values = line.rstrip('\n').split('\t')
            kept = [value for value in values.split(' ') if in_bmp(value)]
            if in_bmp(key) and kept:
                candidates[key] = kept
    return candidates


def read_dictionary(path):
    """Each key with its first candidate."""
    return {key: values[0] for key, values in read_candidates(path).items()}


def read_first_positions():
    tables = {'S': [], 'T': [], 'M': []}
    with open(FIRST_POSITIONS, encoding='utf-8') as lines:
        for line in lines:
            if not line.startswith('#'):
                letter, chunk = line.rstrip('\n').split(' ')
                tables[letter].append(chunk)
    return tables


def extra_positions(simplified, traditional, to_traditional, to_simplified):
    """The pairs (simplified, traditional) that follow the first positions, in
    order.

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

    first = read_first_positions()
    simplified, traditional, martian = (''.join(first[k]) for k in 'STM')
    pairs = extra_positions(simplified, traditional, to_traditional, to_simplified)
    extra_simplified = ''.join(s for s, _ in pairs)
    extra_traditional = ''.join(t for _, t in pairs)
    tables = {
        'S': first['S'] + chunks(extra_simplified),
        'T': first['T'] + chunks(extra_traditional),
        # No look-alikes are known past the first positions: 火星文 keeps those
        # characters.
        'M': first['M'] + chunks(extra_simplified),
    }

    # Every BMP code unit, through the first-occurrence lookup as the program
    # does it: the first positions decide their own characters, OpenCC all
    # others.
    full = {k: ''.join(v) for k, v in tables.items()}
    lookup_traditional = first_occurrence_lookup(full['S'], full['T'])
    lookup_simplified = first_occurrence_lookup(full['T'], full['S'])
    for unit in range(0x10000):
        c = chr(unit)
        if c not in simplified and lookup_traditional(c) != to_traditional(c):
            sys.exit(f'make_tables.py: 简→繁 gives {lookup_traditional(c)} for {c}')
        if c not in traditional and lookup_simplified(c) != to_simplified(c):
            sys.exit(f'make_tables.py: 繁→简 gives {lookup_simplified(c)} for {c}')
    forms = make_forms(dictionaries, first, lookup_traditional, lookup_simplified)
    return tables, forms, make_phrases(dictionaries, forms, lookup_traditional, lookup_simplified)


def make_forms(dictionaries, first, lookup_traditional, lookup_simplified):
    """For each direction, every character with more than one form, as the
    character followed by its forms, the one the conversion writes first."""
    st = read_candidates(os.path.join(dictionaries, 'STCharacters.txt'))
    ts = read_candidates(os.path.join(dictionaries, 'TSCharacters.txt'))
    tw = read_dictionary(os.path.join(dictionaries, 'TWVariants.txt'))
    first_simplified, first_traditional = ''.join(first['S']), ''.join(first['T'])
    first_places = {}
    for s, t in zip(first_simplified, first_traditional):
        first_places.setdefault(t, []).append(s)

    def entries(keys, lookup, others):
        made = []
        for c in sorted(keys):
            forms = list(dict.fromkeys([lookup(c)] + others(c)))
            if len(forms) > 1:
                made.append(c + ''.join(forms))
        return made

    return {
        'T': entries(set(st), lookup_traditional, lambda c: [tw.get(t, t) for t in st[c]]),
        'S': entries(set(ts) | set(first_places), lookup_simplified,
                     lambda c: ts.get(c, []) + first_places.get(c, [])),
    }


def make_phrases(dictionaries, forms, lookup_traditional, lookup_simplified):
    """For each direction, every phrase of two or more BMP characters that
    converts to as many, in code unit order, with the places where it writes
    another form than the conversion at a character that has several: a list
    of (phrase, [(offset, form), ...])."""
    tw = read_dictionary(os.path.join(dictionaries, 'TWVariants.txt'))

    def phrases(name, through, lookup, marked):
        made = []
        with open(os.path.join(dictionaries, f'{name}.txt'), encoding='utf-8') as lines:
            for line in lines:
                key, values = line.rstrip('\n').split('\t')
                written = ''.join(through(c) for c in values.split(' ')[0])
                if len(key) < 2 or len(written) != len(key) or max(map(ord, key + written)) > 0xFFFF:
                    continue
                made.append((key, [(i, w) for i, (c, w) in enumerate(zip(key, written))
                                   if c in marked and w != lookup(c)]))
        made.sort(key=lambda entry: entry[0].encode('utf-16-be'))
        return made

    return {
        'T': phrases('STPhrases', lambda c: tw.get(c, c), lookup_traditional,
                     {entry[0] for entry in forms['T']}),
        'S': phrases('TSPhrases', lambda c: c, lookup_simplified, {entry[0] for entry in forms['S']}),
    }


def chunks(text):
    return [text[i:i + CHUNK] for i in range(0, len(text), CHUNK)]


def header(version, sources='first_positions.txt and OpenCC\'s\n// STCharacters, TSCharacters and TWVariants'):
    """The opening lines of a file this script makes: its licence and source."""
    return [
        '// SPDX-License-Identifier: MIT AND Apache-2.0',
        f'// Made by convert/tables/make_tables.py from {sources} (Debian\'s opencc {version});',
        '// do not edit. OpenCC\'s dictionaries: Copyright 2010-2022 BYVoid',
        '// <byvoid.kcp@gmail.com>, under the Apache License, Version 2.0.',
    ]


def render(tables, version):
    length = sum(map(len, tables['S']))
    out = header(version) + [
        f'// {length} positions: the 1,024 hand-made ones, then {length - 1024} from OpenCC.',
        '',
    ]
    for name, letter in (('kMartianChunks', 'M'), ('kSimplifiedChunks', 'S'),
                         ('kTraditionalChunks', 'T')):
        out.append(f'constexpr std::u16string_view {name}[] = {{')
        out.extend(f'    u"{chunk}",' for chunk in tables[letter])
        out.append('};')
    return '\n'.join(out) + '\n'


def render_forms(forms, version):
    out = header(version) + [
        '// Each entry: a character, then its forms after the conversion, the one',
        '// the conversion writes first; in the order of the characters.',
        '',
    ]
    for name, letter in (('kTraditionalForms', 'T'), ('kSimplifiedForms', 'S')):
        out.append(f'constexpr std::u16string_view {name}[] = {{')
        line = []
        for entry in forms[letter]:
            line.append(f'u"{entry}",')
            if len(line) == 8:
                out.append('    ' + ' '.join(line))
                line = []
        if line:
            out.append('    ' + ' '.join(line))
        out.append('};')
    return '\n'.join(out) + '\n'


def encode_phrases(entries):
    """The phrases in the compact form phrase_suggestions.cpp reads, one
    string per phrase: the number of units it shares with the phrase before
    it plus 1 (U+0001 ... U+0010), the rest of its units, then for every
    place where it asks for another form, U+0011 + the place's offset and the
    form. Phrases hold CJK characters alone (U+3000 on), so the marks are
    never taken for a unit of theirs."""
    encoded, previous = [], ''
    for phrase, places in entries:
        if len(phrase) > 16 or min(map(ord, phrase + ''.join(f for _, f in places))) < 0x3000:
            sys.exit(f'make_tables.py: the phrase {phrase} does not fit the compact form')
        shared = 0
        while shared < min(len(previous), len(phrase) - 1) and previous[shared] == phrase[shared]:
            shared += 1
        encoded.append(chr(1 + shared) + phrase[shared:] +
                       ''.join(chr(0x11 + offset) + form for offset, form in places))
        previous = phrase
    return encoded


def escaped(text):
    """`text` for a u"" literal: the units below U+0020 as \\x escapes, which
    end at the CJK character after them."""
    return ''.join(f'\\x{ord(c):02X}' if ord(c) < 0x20 else c for c in text)


def render_phrases(phrases, version):
    out = header(version, 'OpenCC\'s STPhrases,\n// TSPhrases and TWVariants and the tables') + [
        '// The phrases of 简→繁 and 繁→简 and the forms their words ask for, in the',
        '// compact form make_tables.py\'s encode_phrases describes, eight a chunk: the',
        '// chunks of a direction one after another.',
        '',
    ]
    for name, letter in (('kTraditionalPhrases', 'T'), ('kSimplifiedPhrases', 'S')):
        out.append(f'constexpr std::u16string_view {name}[] = {{')
        encoded = encode_phrases(phrases[letter])
        for start in range(0, len(encoded), 8):
            out.append(f'    u"{escaped("".join(encoded[start:start + 8]))}",')
        out.append('};')
    return '\n'.join(out) + '\n'


def licence(version):
    with open('/usr/share/common-licenses/Apache-2.0', encoding='utf-8') as apache:
        text = apache.read()
    return (f'tavro\'s character tables and phrases for 简→繁 and 繁→简 are made from\n'
            f'OpenCC\'s dictionaries (STCharacters, TSCharacters, TWVariants,\n'
            f'STPhrases, TSPhrases), as Debian\'s opencc {version} ships them.\n\n'
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
        tables, forms, phrases = make_tables(folder)
    version = opencc_version()
    made = {OUTPUT: render(tables, version), FORMS: render_forms(forms, version),
            PHRASES: render_phrases(phrases, version), LICENCE: licence(version)}
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
        print('the tables, the phrases and their licence are what make_tables.py makes')
        return
    print(f'{OUTPUT}: {sum(map(len, tables["S"]))} positions')
    print(f'{FORMS}: {len(forms["T"])} characters with forms after 简→繁, '
          f'{len(forms["S"])} after 繁→简')
    for letter, name in (('T', '简→繁'), ('S', '繁→简')):
        print(f'{PHRASES}: {len(phrases[letter])} phrases for {name}, '
              f'{sum(1 for _, places in phrases[letter] if places)} asking for another form')


if __name__ == '__main__':
    main()
