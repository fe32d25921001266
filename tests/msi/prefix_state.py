#!/usr/bin/env python3
"""Reads what an MSI install left in a Wine prefix, without starting Wine.

  prefix_state.py arp <prefix> <name>    one line per Programs and Features entry
                                    whose DisplayName is <name>:
                                    key<TAB>DisplayVersion<TAB>Publisher<TAB>ProductIcon
  prefix_state.py keys <prefix>          every registry key, one a line (system and user hives)
  prefix_state.py values <prefix> <key>  the values of one key (as in the .reg file), name=value
  prefix_state.py lnk <file.lnk>         target=<path> and workdir=<path> of a shell link

The registry is read from the prefix's system.reg and user.reg, which the
wineserver writes when it exits (run `wineserver -w` first).
"""
import json
import os
import re
import struct
import sys

HIVES = ("system.reg", "user.reg")
KEY = re.compile(r"^\[(.*)\](?: \d+)?$")
VALUE = re.compile(r'^"((?:[^"\\]|\\.)*)"=(.*)$')


def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            n = text[i + 1]
            if n == "x":
                m = re.match(r"[0-9a-fA-F]{1,4}", text[i + 2:])
                out.append(chr(int(m.group(0), 16)))
                i += 2 + len(m.group(0))
                continue
            out.append({"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(n, n))
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def read_hive(path):
    """{key: {name: value}}; string values unescaped, others as written."""
    keys, current, pending = {}, None, None
    with open(path, encoding="utf-8", errors="replace") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if pending is not None:  # a value continued with a backslash
                pending += line.strip()
                if not pending.endswith("\\"):
                    pending = None
                continue
            m = KEY.match(line)
            if m:
                current = unescape(m.group(1))
                keys.setdefault(current, {})
                continue
            m = VALUE.match(line)
            if m and current is not None:
                name, data = unescape(m.group(1)), m.group(2)
                if data.startswith('"') and data.endswith('"'):
                    data = unescape(data[1:-1])
                elif data.startswith('str(2):"'):
                    data = unescape(data[8:-1])
                keys[current][name] = data
                if data.endswith("\\"):
                    pending = data
    return keys


def read_registry(prefix):
    reg = {}
    for hive in HIVES:
        for key, values in read_hive(f"{prefix}/{hive}").items():
            reg[f"{hive}:{key}"] = values
    return reg


def arp(prefix, name):
    reg = read_registry(prefix)
    icons = {v.get("ProductName"): v.get("ProductIcon", "")
             for k, v in reg.items() if "\\Installer\\Products\\" in k}
    for key, values in sorted(reg.items()):
        if re.search(r"\\CurrentVersion\\Uninstall\\[^\\]+$", key) and values.get("DisplayName") == name:
            print("\t".join([key, values.get("DisplayVersion", ""), values.get("Publisher", ""),
                             icons.get(name, "")]))


def lnk(path):
    data = open(path, "rb").read()
    if len(data) < 0x4C or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        sys.exit(f"{path}: not a shell link")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    pos = 0x4C
    if flags & 0x1:  # a target ID list
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    target = ""
    if flags & 0x2:  # link info: the local base path
        size, header = struct.unpack_from("<II", data, pos)
        base_off, suffix_off = struct.unpack_from("<I", data, pos + 16)[0], struct.unpack_from("<I", data, pos + 24)[0]

        def cstr(off, wide):
            if wide:
                end = off
                while data[pos + end:pos + end + 2] != b"\0\0":
                    end += 2
                return data[pos + off:pos + end].decode("utf-16-le")
            end = data.index(b"\0", pos + off)
            return data[pos + off:end].decode("cp1252")

        if header >= 0x24:
            base_w, suffix_w = struct.unpack_from("<II", data, pos + 28)
            target = cstr(base_w, True) + (cstr(suffix_w, True) if suffix_w else "")
        else:
            target = cstr(base_off, False) + cstr(suffix_off, False)
        pos += size
    strings = {}
    wide = bool(flags & 0x80)
    for bit, name in ((0x4, "name"), (0x8, "relative"), (0x10, "workdir"), (0x20, "args"), (0x40, "icon")):
        if flags & bit:
            count = struct.unpack_from("<H", data, pos)[0]
            pos += 2
            n = count * 2 if wide else count
            strings[name] = data[pos:pos + n].decode("utf-16-le" if wide else "cp1252").rstrip("\0")
            pos += n
    print(f"target={target}")
    print(f"workdir={strings.get('workdir', '')}")
    print(f"args={strings.get('args', '')}")


def files(prefix):
    """Every file and folder under the prefix, except the hives themselves."""
    out = []
    for root, dirs, names in os.walk(prefix):
        rel = os.path.relpath(root, prefix)
        for n in dirs + names:
            path = os.path.normpath(os.path.join(rel, n))
            if path not in HIVES and path != "userdef.reg" and not path.startswith(".update"):
                out.append(path)
    return sorted(out)


def snapshot(prefix, out):
    with open(out, "w") as f:
        json.dump({"files": files(prefix), "keys": sorted(read_registry(prefix))}, f)


def packed(guid):
    """{12345678-9ABC-DEF0-...} as the installer's registry writes it."""
    g = guid.strip("{}").replace("-", "").upper()
    if len(g) != 32:
        return None
    swapped = "".join(g[i + 1] + g[i] for i in range(16, 32, 2))
    return g[7::-1] + g[11:7:-1] + g[15:11:-1] + swapped


def leftovers(prefix, before_json, words):
    before = json.load(open(before_json))
    needles = set()
    for w in words:
        needles.add(w.upper())
        if packed(w):
            needles.add(packed(w))
            needles.add(w.strip("{}").upper())
    named = lambda text: any(n in text.upper() for n in needles)
    problems = []
    now_files = files(prefix)
    for path in sorted(set(now_files) - set(before["files"])):
        full = os.path.join(prefix, path)
        # The installer's cache folder stays, empty, once made.
        if path == "drive_c/windows/Installer" and os.path.isdir(full) and not os.listdir(full):
            continue
        problems.append(f"file left: {path}")
    problems += [f"file naming the product: {p}" for p in now_files if named(p) and p in before["files"]]
    # The registry: no key, value name or value that names the product. New
    # keys that do not are Wine's or the installer's own (Installer\Products
    # and the like stay, empty, once made); they are listed, not failed.
    reg = read_registry(prefix)
    notes = []
    for key, values in sorted(reg.items()):
        hits = [f"{n}={v}" for n, v in values.items() if named(n) or named(v)]
        if named(key) or hits:
            problems.append(f"registry key left: {key} {hits}")
        elif key not in before["keys"]:
            notes.append(f"note: new key, not the product's: {key} ({len(values)} values)")
    for p in problems + notes:
        print(p)
    return 1 if problems else 0


def main(argv):
    # Wine escapes UTF-16 code units one by one; print any lone half as \udxxx.
    sys.stdout.reconfigure(errors="backslashreplace")
    if len(argv) == 4 and argv[1] == "arp":
        arp(argv[2], argv[3])
    elif len(argv) == 3 and argv[1] == "keys":
        for key in sorted(read_registry(argv[2])):
            print(key)
    elif len(argv) == 4 and argv[1] == "values":
        for name, value in sorted(read_registry(argv[2]).get(argv[3], {}).items()):
            print(f"{name}={value}")
    elif len(argv) == 3 and argv[1] == "lnk":
        lnk(argv[2])
    elif len(argv) == 4 and argv[1] == "snapshot":
        snapshot(argv[2], argv[3])
    elif len(argv) >= 5 and argv[1] == "leftovers":
        sys.exit(leftovers(argv[2], argv[3], argv[4:]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
