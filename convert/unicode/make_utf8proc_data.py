#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Makes the Unicode data of utf8proc, as the Windows and the browser builds
compile it, with only what tavro asks of it: a code point's grapheme break
property (with the emoji property UAX #29 needs), general category and
drawn width. utf8proc's own table of properties holds 8,251 entries of every
property Unicode has (decomposition, case mapping, composition, bidi); of
the three asked for there are 75 combinations. So its stage tables point at
those 75 instead, its second stage in bytes, and the sequences and
combinations that decomposing and composing read are left empty: those
functions are never called. What the program asks for is unchanged, code
point for code point (the test UnicodeTest.EveryCodePointHasTheLibrarysProperties
checks it against Debian's utf8proc on Linux, and on every build).

  make_utf8proc_data.py SOURCE OUTPUT
      SOURCE: utf8proc's source (build-aux/utf8proc-source.sh unpacks it)
      OUTPUT: a folder for utf8proc.c, utf8proc.h and the new utf8proc_data.c
"""
import os
import re
import shutil
import sys

# The fields of utf8proc_property_t tavro reads, by their place in an entry
# of utf8proc_properties: category, charwidth, boundclass.
KEPT = (0, 14, 16)
BLOCK = 256  # code points a stage-1 entry points at, as utf8proc.c reads them


def array(source, name):
    """The values of the C array `name`, as text."""
    match = re.search(r'static const \w+ ' + name + r'\[\] = \{(.*?)\};', source, re.S)
    if not match:
        sys.exit(f'make_utf8proc_data.py: no {name} in utf8proc_data.c')
    return match.group(1)


def main():
    source_dir, output = sys.argv[1], sys.argv[2]
    with open(os.path.join(source_dir, 'utf8proc_data.c'), encoding='utf-8') as data:
        source = data.read()
    stage1 = [int(v) for v in re.findall(r'\d+', array(source, 'utf8proc_stage1table'))]
    stage2 = [int(v) for v in re.findall(r'\d+', array(source, 'utf8proc_stage2table'))]
    entries = [[f.strip() for f in entry.split(',')]
               for entry in re.findall(r'\{([^{}]*)\}', array(source, 'utf8proc_properties'))]
    if any(len(entry) != 17 for entry in entries):
        sys.exit('make_utf8proc_data.py: utf8proc_property_t is not as this script knows it')

    # Each distinct combination of the kept fields once, the first (the
    # properties of an unassigned code point) first.
    kept, index_of = [], {}
    for entry in entries:
        key = tuple(entry[i] for i in KEPT)
        if key not in index_of:
            index_of[key] = len(kept)
            kept.append(key)
    remapped = [index_of[tuple(entry[i] for i in KEPT)] for entry in entries]
    # Each block of the second stage once.
    new_stage1, new_stage2, block_at = [], [], {}
    for start in stage1:
        block = tuple(remapped[stage2[start + i]] for i in range(BLOCK))
        if block not in block_at:
            block_at[block] = len(new_stage2)
            new_stage2.extend(block)
        new_stage1.append(block_at[block])
    if len(kept) > 0xFF or len(new_stage2) > 0xFFFF:
        sys.exit('make_utf8proc_data.py: the stages no longer fit their types')

    def values(numbers):
        return ',\n'.join('  ' + ', '.join(map(str, numbers[i:i + 16]))
                          for i in range(0, len(numbers), 16))

    properties = ',\n'.join(
        f'  {{{category}, 0, 0, 0, UINT16_MAX, UINT16_MAX, UINT16_MAX, UINT16_MAX, UINT16_MAX, '
        f'UINT16_MAX, false, false, false, false, {width}, 0, {bound}}}'
        for category, width, bound in kept)
    os.makedirs(output, exist_ok=True)
    for name in ('utf8proc.c', 'utf8proc.h'):
        shutil.copyfile(os.path.join(source_dir, name), os.path.join(output, name))
    with open(os.path.join(output, 'utf8proc_data.c'), 'w', encoding='utf-8') as out:
        out.write('/* Made by tavro\'s convert/unicode/make_utf8proc_data.py from utf8proc\'s\n'
                  '   utf8proc_data.c: a code point\'s category, width and grapheme break\n'
                  '   property alone. */\n'
                  'static const utf8proc_uint16_t utf8proc_sequences[] = {0};\n'
                  'static const utf8proc_uint16_t utf8proc_combinations[] = {0, 0};\n'
                  f'static const utf8proc_uint16_t utf8proc_stage1table[] = {{\n{values(new_stage1)}\n}};\n'
                  f'static const unsigned char utf8proc_stage2table[] = {{\n{values(new_stage2)}\n}};\n'
                  f'static const utf8proc_property_t utf8proc_properties[] = {{\n{properties}\n}};\n')


if __name__ == '__main__':
    main()
