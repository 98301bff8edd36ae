#!/usr/bin/env python3
"""A prefix's state as sorted text lines, and the check that a run changed exactly what
it should.

  state.py registry OUT EXPORT...    canonical lines from `reg export` files
  state.py files OUT DRIVE_C         the tree of drive C: outside the Windows folder
  state.py trash OUT TRASH DRIVE_C   what the Recycle Bin holds, by original path
  state.py compare BEFORE AFTER EXPECT

A state folder holds registry.txt, files.txt, processes.txt and trash.txt. EXPECT lists
what the run should change, one item a line; everything else must stay as it was:
  file-gone PATH          PATH and everything below it are gone
  file-new PATH           PATH is new
  reg-gone-key KEY        KEY and its subkeys are gone (values: empty keys are the installer's)
  reg-gone-product CODE   every value naming the product code, plain or packed, is gone
  reg-gone-value KEY|NAME one value is gone
  process-ended NAME      one process of that name ended (repeat for each)
  trashed PATH            a Recycle Bin item was taken from PATH; every item comes from
                          below one of these (a folder may go as one item or piecewise)
  trash-holds PATH        a file in the Recycle Bin came from PATH, unchanged
Each item must match something, so an expectation never holds by accident.
"""
import hashlib
import os
import sys
import urllib.parse

# Values Wine rewrites whenever a desktop starts, whatever the program does.
REGISTRY_NOISE = ("hkey_current_user\\software\\wine\\temporary system parameters",)
# Wine starts its desktop process on demand; whether it is still up says nothing of the run.
PROCESS_NOISE = {"explorer.exe", "conhost.exe"}


def registry(out, exports):
    lines = []
    for path in exports:
        data = open(path, "rb").read()
        text = data.decode("utf-16") if data[:2] in (b"\xff\xfe", b"\xfe\xff") else data.decode()
        key, pending = None, ""
        for raw in text.splitlines():
            if pending:
                raw, pending = pending + raw.lstrip(), ""
            if raw.startswith("["):
                key = raw[1:-1]
                continue
            if raw.endswith("\\"):
                pending = raw[:-1]
                continue
            if not raw or key is None:
                continue
            if key.lower().startswith(REGISTRY_NOISE):
                continue
            lines.append(f"{key}|{raw}")
    write(out, lines)


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha1(f.read()).hexdigest()[:16]


def tree_lines(root, windows_root):
    """Lines "PATH" for folders and "PATH|size|hash" for files, PATH as Windows names it."""
    lines = []
    if os.path.isdir(root) and not os.path.islink(root):
        lines.append(windows_root)
        for base, dirs, files in os.walk(root):
            rel = os.path.relpath(base, root)
            win = windows_root if rel == "." else windows_root + "\\" + rel.replace("/", "\\")
            for d in dirs:
                lines.append(f"{win}\\{d}")
            for f in files:
                full = os.path.join(base, f)
                lines.append(f"{win}\\{f}|{os.path.getsize(full)}|{digest(full)}")
    elif os.path.exists(root):
        lines.append(f"{windows_root}|{os.path.getsize(root)}|{digest(root)}")
    return lines


def files(out, drive_c):
    lines = []
    for entry in sorted(os.listdir(drive_c)):
        if entry.lower() != "windows":
            lines += tree_lines(os.path.join(drive_c, entry), "C:\\" + entry)
    write(out, lines)


def trash(out, trash_dir, drive_c):
    """Each item as the paths it came from; an item from outside drive C: keeps its Unix path."""
    lines = []
    info_dir = os.path.join(trash_dir, "info")
    drive = os.path.realpath(drive_c)
    for info in sorted(os.listdir(info_dir)) if os.path.isdir(info_dir) else []:
        origin = None
        for line in open(os.path.join(info_dir, info), encoding="utf-8"):
            if line.startswith("Path="):
                origin = os.path.realpath(urllib.parse.unquote(line[5:].strip()))
        item = os.path.join(trash_dir, "files", info[: -len(".trashinfo")])
        if origin and (origin + "/").startswith(drive + "/"):
            rel = os.path.relpath(origin, drive)
            win = "C:\\" if rel == "." else "C:\\" + rel.replace("/", "\\")
        else:
            win = f"unix:{origin}"
        lines.append(f"item {win}")
        lines += [f"holds {line}" for line in tree_lines(item, win)]
    write(out, lines)


def write(out, lines):
    with open(out, "w", encoding="utf-8") as f:
        f.writelines(line + "\n" for line in sorted(lines))


def read(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n") for line in f]


def path_of(line):
    return line.split("|", 1)[0]


def below(path, root):
    p, r = path.lower(), root.lower().rstrip("\\")
    return p == r or p.startswith(r + "\\")


def packed(code):
    """A product code as the Windows Installer writes it in its own keys."""
    hexes = code.strip("{}").split("-")
    rest = "".join(hexes[3:])
    swapped = "".join(rest[i + 1] + rest[i] for i in range(0, len(rest), 2))
    return (hexes[0][::-1] + hexes[1][::-1] + hexes[2][::-1] + swapped).upper()


def compare(before_dir, after_dir, expect_path):
    failures = []
    expect = [line.split(" ", 1) for line in read(expect_path) if line.strip()]

    def diff(name):
        before, after = read(f"{before_dir}/{name}"), read(f"{after_dir}/{name}")
        b, a = {}, {}
        for line in before:
            b[line] = b.get(line, 0) + 1
        for line in after:
            a[line] = a.get(line, 0) + 1
        gone = [l for l in b for _ in range(b[l] - a.get(l, 0))]
        new = [l for l in a for _ in range(a[l] - b.get(l, 0))]
        return before, gone, new

    # Files: exactly the expected subtrees are gone and the expected paths are new.
    before, gone, new = diff("files.txt")
    roots = [v for k, v in expect if k == "file-gone"]
    news = [v for k, v in expect if k == "file-new"]
    should_go = {l for l in before if any(below(path_of(l), r) for r in roots)}
    for root in roots:
        if not any(below(path_of(l), root) for l in before):
            failures.append(f"file-gone {root}: not there before the run")
    for line in sorted(set(gone) - should_go):
        failures.append(f"file unexpectedly gone or changed: {line}")
    for line in sorted(should_go - set(gone)):
        failures.append(f"file should be gone: {line}")
    for line in sorted(new):
        if path_of(line) not in news:
            failures.append(f"file unexpectedly new or changed: {line}")
    for path in news:
        if not any(path_of(l) == path for l in new):
            failures.append(f"file should be new: {path}")

    # Registry values.
    before, gone, new = diff("registry.txt")
    rules = []
    for kind, value in expect:
        if kind == "reg-gone-key":
            rules.append((f"{kind} {value}", lambda l, k=value: below(path_of(l), k)))
        elif kind == "reg-gone-product":
            needles = (value.lower(), packed(value).lower())
            rules.append((f"{kind} {value}", lambda l, n=needles: any(x in l.lower() for x in n)))
        elif kind == "reg-gone-value":
            key, name = value.split("|", 1)
            rules.append((f"{kind} {value}", lambda l, k=key, n=name:
                          path_of(l).lower() == k.lower() and
                          l.split("|", 1)[1].lower().startswith(f'"{n.lower()}"=')))
    should_go = set()
    for label, rule in rules:
        matched = {l for l in before if rule(l)}
        if not matched:
            failures.append(f"{label}: nothing matched before the run")
        should_go |= matched
    for line in sorted(set(gone) - should_go):
        failures.append(f"registry value unexpectedly gone or changed: {line}")
    for line in sorted(should_go - set(gone)):
        failures.append(f"registry value should be gone: {line}")
    for line in sorted(new):
        failures.append(f"registry value unexpectedly new or changed: {line}")

    # Processes, by name: the expected ones ended, no other ended or started.
    before, gone, new = diff("processes.txt")
    ended = sorted(v for k, v in expect if k == "process-ended")
    gone = sorted(l for l in gone if l not in PROCESS_NOISE)
    new = sorted(l for l in new if l not in PROCESS_NOISE)
    if gone != ended:
        failures.append(f"processes ended: {gone}, expected {ended}")
    if new:
        failures.append(f"processes started and still running: {new}")

    # Recycle Bin: exactly the expected items, holding exactly the expected files unchanged.
    before_trash = read(f"{before_dir}/trash.txt")
    if before_trash:
        failures.append("the Recycle Bin was not empty before the run")
    after_trash = read(f"{after_dir}/trash.txt")
    items = sorted(l[5:] for l in after_trash if l.startswith("item "))
    roots = [v for k, v in expect if k == "trashed"]
    for root in roots:
        if not any(i.lower() == root.lower() for i in items):
            failures.append(f"trashed {root}: no Recycle Bin item came from there")
    for item in items:
        if not any(below(item, root) for root in roots):
            failures.append(f"Recycle Bin item from an unexpected place: {item}")
    held = {l[6:] for l in after_trash if l.startswith("holds ") and "|" in l}
    files_before = {path_of(l).lower(): l for l in read(f"{before_dir}/files.txt")}
    want_held = set()
    for kind, value in expect:
        if kind == "trash-holds":
            original = files_before.get(value.lower())
            if original is None or "|" not in original:
                failures.append(f"trash-holds {value}: no such file before the run")
            else:
                want_held.add(original)
    for line in sorted(held - want_held):
        failures.append(f"Recycle Bin unexpectedly holds: {line}")
    for line in sorted(want_held - held):
        failures.append(f"Recycle Bin should hold, unchanged: {line}")

    for f in failures:
        print(f"FAIL: {f}", file=sys.stderr)
    return 1 if failures else 0


def main(argv):
    command = argv[1]
    if command == "registry":
        registry(argv[2], argv[3:])
    elif command == "files":
        files(argv[2], argv[3])
    elif command == "trash":
        trash(argv[2], argv[3], argv[4])
    elif command == "compare":
        return compare(argv[2], argv[3], argv[4])
    else:
        raise SystemExit(f"unknown command {command}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
