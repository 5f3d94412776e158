#!/usr/bin/env python3
"""Writes the notices of the third-party code inside the Windows program and its DLLs.

Qt names each piece of bundled code in a qt_attribution.json beside it; an entry counts only if
a file it covers was read by the compiler for a shipped DLL (compiled-files.txt, kept from Qt's
build). Qt's static libraries (static/, their sources as kept) count where the shipped binaries
name their sources. The MinGW-w64 runtime's notices come from Debian's copyright file of its
source, in the machine-readable format: the stanzas of the files the shipped binaries were really
compiled from, as their symbol tables and debugging information name them.

Usage: third_party_notices.py OBJDUMP ATTRIBUTION_DIR GCC_COPYRIGHT MINGW_COPYRIGHT OUTPUT BINARY...
"""

import fnmatch
import json
import pathlib
import re
import subprocess
import sys

RULE = "=" * 78


def attribution_entries(root):
    for path in sorted(root.rglob("qt_attribution.json")):
        # Qt's files hold line breaks inside strings, which strict JSON refuses.
        data = json.loads(path.read_text(encoding="utf-8"), strict=False)
        for entry in data if isinstance(data, list) else [data]:
            yield path.parent.relative_to(root), entry


def covered_paths(folder, entry):
    """The paths, relative to Qt's source root, that an attribution entry speaks for."""
    if "Files" in entry:
        return [folder / name for name in entry["Files"].split()]
    if "Path" in entry:
        return [folder / entry["Path"]]
    return [folder]


def is_compiled(paths, compiled):
    prefixes = tuple(str(path) + "/" for path in paths)
    names = {str(path) for path in paths}
    return any(line in names or line.startswith(prefixes) for line in compiled)


def licence_texts(root, folder, entry):
    files = entry.get("LicenseFiles") or ([entry["LicenseFile"]] if "LicenseFile" in entry else [])
    paths = [root / folder / name for name in files]
    if not paths and "LicenseId" in entry:
        # Without a file of its own, an entry's licence is among Qt's, by its SPDX names.
        names = re.findall(r"[\w.+-]+", entry["LicenseId"])
        paths = [root / "LICENSES" / f"{name}.txt" for name in names
                 if (root / "LICENSES" / f"{name}.txt").is_file()]
        if not paths:
            raise SystemExit(f"error: {folder}: no text of the licence {entry['LicenseId']}")
    # Code in the public domain has no licence text; its statement stands in the copyright.
    for path in paths:
        if not path.is_file():
            raise SystemExit(f"error: {folder}: the licence text {path.name} was not kept")
        yield path.read_text(encoding="utf-8", errors="replace").strip()


def qt_notices(root):
    compiled = (root / "compiled-files.txt").read_text(encoding="utf-8").split("\n")
    compiled = [line for line in compiled if line]
    if not compiled:
        raise SystemExit("error: no compiled files were kept from Qt's build")
    seen = set()
    for folder, entry in attribution_entries(root):
        if entry.get("Id") in seen or not is_compiled(covered_paths(folder, entry), compiled):
            continue
        seen.add(entry.get("Id"))
        lines = [entry["Name"] + (f" {entry['Version']}" if "Version" in entry else "")]
        if "QtUsage" in entry:
            lines.append(entry["QtUsage"])
        if "Homepage" in entry:
            lines.append(entry["Homepage"])
        spdx = f" ({entry['LicenseId']})" if entry.get("LicenseId") else ""
        lines.append(f"Licence: {entry.get('License', '')}{spdx}")
        lines.append("")
        lines.append(entry.get("Copyright", "").strip())
        for text in licence_texts(root, folder, entry):
            lines += ["", text]
        yield "\n".join(lines)


def linked_sources(objdump, binaries):
    """The source files the binaries were compiled from: each compile unit of their debugging
    information, and each file their symbol table names (code built without -g names only that)."""
    names = set()
    for binary in binaries:
        units = subprocess.run([objdump, "--dwarf=info", "--dwarf-depth=1", binary], check=True,
                               capture_output=True, text=True, errors="replace").stdout
        names.update(re.findall(r"DW_AT_name\s*:.*?([^\s:]+)$", units, re.MULTILINE))
        symbols = subprocess.run([objdump, "-t", binary], check=True, capture_output=True,
                                 text=True, errors="replace").stdout
        names.update(re.findall(r"\(scl 103\).* (\S+)$", symbols, re.MULTILINE))
    return {name[2:] if name.startswith("./") else name for name in names}


def qt_static_notices(root, linked):
    """Qt's code linked statically into the program, with the licence its files declare: of an
    SPDX choice, the one offered to all (Qt's commercial licence is a separate contract)."""
    if not (root / "static").is_dir():
        raise SystemExit("error: the Windows Qt kept no sources of its static libraries")
    basenames = {pathlib.PurePath(name).name for name in linked}
    # MinGW's linker cuts a file's name in the program's symbol table to 14 characters.
    cut = {name for name in basenames if len(name) == 14}
    for path in sorted((root / "static").rglob("*")):
        if not path.is_file() or (path.name not in basenames and path.name[:14] not in cut):
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        holders = re.findall(r"Copyright \(C\) (.+)", text)
        spdx = re.search(r"SPDX-License-Identifier: (.+)", text)
        if not holders or not spdx:
            raise SystemExit(f"error: {path.name} names no copyright or licence")
        ids = [name for name in re.findall(r"[\w.+-]+", spdx.group(1))
               if name not in ("OR", "AND", "WITH") and not name.startswith("LicenseRef-Qt")]
        texts = [(root / "LICENSES" / f"{name}.txt") for name in ids]
        if not texts or not all(text.is_file() for text in texts):
            raise SystemExit(f"error: {path.name}: no text of the licence {spdx.group(1)}")
        relative = path.relative_to(root / "static")
        yield "\n".join([f"Qt ({relative}, linked into the program)",
                         f"Licence: {' '.join(ids)}", ""]
                        + [f"Copyright (C) {holder.strip()}" for holder in holders]
                        + [""] + [text.read_text(encoding="utf-8").strip() for text in texts])


def copyright_paragraphs(path):
    """The paragraphs of a Debian copyright file, each a dict of field to value."""
    for block in re.split(r"\n\s*\n", pathlib.Path(path).read_text(encoding="utf-8")):
        fields, name = {}, None
        for line in block.split("\n"):
            if line[:1] in (" ", "\t") and name:
                fields[name] += "\n" + line
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = value.strip()
        if fields:
            yield fields


def debian_notice(title, path, linked):
    """The stanzas of a Debian copyright file that govern a linked file, with their licences. As
    the format has it, of the stanzas whose Files match a file, the last one governs it."""
    paragraphs = list(copyright_paragraphs(path))
    licences = {p["License"].split("\n")[0]: p["License"] for p in paragraphs
                if "Files" not in p and "License" in p}
    files = [p for p in paragraphs if "Files" in p]
    governing = set()
    for name in linked:
        matching = [i for i, p in enumerate(files)
                    if any(fnmatch.fnmatchcase(name, glob) for glob in p["Files"].split())]
        if matching:
            governing.add(matching[-1])
    stanzas, names = [], []
    for index, paragraph in enumerate(files):
        if index in governing:
            licence = paragraph["License"]
            stanzas.append(f"Files: {' '.join(paragraph['Files'].split())}\n"
                           f"Copyright: {paragraph.get('Copyright', '')}\nLicense: {licence}")
            name = licence.split("\n")[0]
            if "\n" not in licence and name in licences and name not in names:
                names.append(name)
    if not stanzas:
        raise SystemExit(f"error: {path} says nothing of {title}")
    texts = [licences[name] for name in names]
    return "\n".join([title, ""] + ["\n\n".join(stanzas + texts)])


def runtime_exception(path):
    text = pathlib.Path(path).read_text(encoding="utf-8")
    start = text.find("GCC RUNTIME LIBRARY EXCEPTION")
    end = text.find("\n\n\n", start) if start >= 0 else -1
    if start < 0:
        raise SystemExit(f"error: {path} holds no GCC Runtime Library Exception")
    return text[start:end if end > 0 else None].strip()


def main(objdump, attribution, gcc_copyright, mingw_copyright, output, *binaries):
    linked = linked_sources(objdump, binaries)
    parts = ["Third-party notices",
             "The Windows program is built with Qt, which bundles the code below into its DLLs\n"
             "and links its Windows entry point into the program, and with the MinGW-w64\n"
             "compiler, whose runtime is linked into the program and ships as DLLs beside it."]
    parts += list(qt_notices(pathlib.Path(attribution)))
    parts += list(qt_static_notices(pathlib.Path(attribution), linked))
    parts.append("The GCC runtime (libstdc++-6.dll, libgcc_s_seh-1.dll)\n"
                 "GNU General Public License version 3 (LICENSE-Qt-GPL-3.txt holds its text),\n"
                 "with the GCC Runtime Library Exception:\n\n" + runtime_exception(gcc_copyright))
    parts.append(debian_notice(
        "The MinGW-w64 runtime (in the program and its DLLs; libwinpthread-1.dll)",
        mingw_copyright, {name for name in linked if name.startswith("mingw-w64-")}))
    text = f"\n\n{RULE}\n\n".join(parts) + "\n"
    pathlib.Path(output).write_bytes(text.replace("\n", "\r\n").encode("utf-8"))


if __name__ == "__main__":
    if len(sys.argv) < 7:
        raise SystemExit(__doc__)
    main(*sys.argv[1:])
