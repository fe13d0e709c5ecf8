#!/usr/bin/env python3
"""Prints texts of a language file as the programs show them, one line per key.

Usage: ini.py SECTION KEY [KEY...] < file (UTF-8; convert GBK files with iconv first)

Lookup follows the Windows profile reader: section and key names ignore
case, the first match wins, blanks around the value are dropped. The first
"\\1", "\\2" and "\\3" each become CR LF, as the setup text table does. The
result is escaped the way winauto prints fields (\\\\, \\t, \\r, \\n), so
the two can be compared as plain strings. A missing key is an error: a test
must not compare against a text that does not exist.
"""
import sys


def lookup(lines, section, key):
    current = None
    for raw in lines:
        line = raw.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and "]" in line:
            current = line[1:line.index("]")].strip().lower()
            continue
        if current == section.lower() and "=" in line:
            name, value = line.split("=", 1)
            if name.strip().lower() == key.lower():
                return value.strip()
    return None


def show(text):
    for marker in ("\\1", "\\2", "\\3"):
        text = text.replace(marker, "\r\n", 1)
    return (text.replace("\\", "\\\\").replace("\t", "\\t")
            .replace("\r", "\\r").replace("\n", "\\n"))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    section = sys.argv[1]
    lines = sys.stdin.read().splitlines()
    for key in sys.argv[2:]:
        value = lookup(lines, section, key)
        if value is None:
            sys.exit("ini.py: no key %s in section %s" % (key, section))
        print(show(value))


if __name__ == "__main__":
    main()
