#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Real text that no one here wrote, and OpenCC's conversion of it: git's
Simplified and Traditional Chinese message catalogues, as Debian ships them,
through Debian's opencc (s2tw and t2s). Writes into the folder given:

  zh_CN.txt, zh_CN.s2tw.txt   the simplified text and OpenCC's Taiwan form
  zh_TW.txt, zh_TW.t2s.txt    the traditional text and OpenCC's simplified form

The page's tests run 简→繁 and 繁→简 on the first file of each
pair and compare with the second, line by line."""
import gettext
import os
import subprocess
import sys
import tempfile

PACKAGE, DOMAIN = 'git', 'git'


def catalogue(language, folder):
    """The translated messages of git's catalogue for `language`, one after
    another; from the installed package, or from its .deb where the locale
    files were left out of the installation."""
    path = f'/usr/share/locale/{language}/LC_MESSAGES/{DOMAIN}.mo'
    if not os.path.exists(path):
        subprocess.run(['apt-get', 'download', PACKAGE], cwd=folder, check=True,
                       stdout=subprocess.DEVNULL)
        deb = next(name for name in os.listdir(folder) if name.endswith('.deb'))
        subprocess.run(['dpkg-deb', '-x', deb, 'root'], cwd=folder, check=True)
        path = os.path.join(folder, 'root' + path)
    with open(path, 'rb') as mo:
        messages = gettext.GNUTranslations(mo)._catalog
    # The empty message id holds the catalogue's header, not its text.
    return '\n'.join(text for key, text in messages.items() if key) + '\n'


def main():
    output = sys.argv[1]
    os.makedirs(output, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        for language, config in (('zh_CN', 's2tw'), ('zh_TW', 't2s')):
            text = catalogue(language, folder)
            converted = subprocess.run(['opencc', '-c', f'{config}.json'], input=text,
                                       capture_output=True, text=True, check=True).stdout
            with open(os.path.join(output, f'{language}.txt'), 'w', encoding='utf-8') as out:
                out.write(text)
            with open(os.path.join(output, f'{language}.{config}.txt'), 'w',
                      encoding='utf-8') as out:
                out.write(converted)
            print(f'{language}: {len(text)} characters, through opencc {config}')


if __name__ == '__main__':
    main()
