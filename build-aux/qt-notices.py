#!/usr/bin/env python3
"""Writes the notices of the third-party code that Qt builds into its Core,
Gui and Widgets libraries for Windows, as Qt's source records them
(qt_attribution.json), with their licence texts: one text file to ship with
a program linked statically against that Qt.
Usage: build-aux/qt-notices.py QT_SOURCE_DIR OUTPUT"""
import json
import pathlib
import sys

# Folders of Qt's source whose code ends up in tavro.exe; the others serve
# modules, platforms or features our Qt leaves out (network, D-Bus, OpenGL,
# Vulkan, JPEG, FreeType, regular expressions, macOS, Android, X11,
# WebAssembly, the test library).
USED = [
    "src/3rdparty/blake2", "src/3rdparty/double-conversion", "src/3rdparty/easing",
    "src/3rdparty/harfbuzz-ng", "src/3rdparty/icc",
    "src/3rdparty/libpng", "src/3rdparty/md4", "src/3rdparty/md5",
    "src/3rdparty/rfc6234", "src/3rdparty/sha1", "src/3rdparty/sha3",
    "src/3rdparty/tinycbor", "src/3rdparty/zlib", "src/corelib/text", "src/corelib/tools",
    "src/gui/painting", "src/gui/text",
]


def main(source, output):
    source = pathlib.Path(source)
    parts = ["Third-party code in Qt's libraries as linked into tavro.exe, with its licences.\n"
             "Qt itself is under the GNU LGPL version 3 (LGPL-3.0.txt).\n"]
    for folder in USED:
        attribution = source / folder / "qt_attribution.json"
        # The descriptions hold raw line breaks, which strict JSON refuses.
        entries = json.loads(attribution.read_text(encoding="utf-8"), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            lines = [f"== {entry['Name']}" + (f" {entry['Version']}" if entry.get("Version") else ""),
                     f"License: {entry.get('License') or entry.get('LicenseId')}"]
            if entry.get("Copyright"):
                lines.append("Copyright: " + entry["Copyright"].strip())
            text = ""
            if entry.get("LicenseFile"):
                text = (source / folder / entry["LicenseFile"]).read_text(encoding="utf-8",
                                                                          errors="replace")
            parts.append("\n".join(lines) + "\n\n" + text.strip() + "\n")
    pathlib.Path(output).write_text("\n\n".join(parts), encoding="utf-8", newline="\r\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
