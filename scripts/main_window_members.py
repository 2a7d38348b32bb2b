#!/usr/bin/env python3
"""The main window's public data members, and where outside its own files they are written.

    python3 scripts/main_window_members.py          # the figures, the members and the writes
    python3 scripts/main_window_members.py --brief  # the figures only

A member is a declaration of the public part of TForm1 (src/app/form1.h) that is no function;
a write is an assignment to such a member (or to a part of it) through another object,
`x.Member = ...`, `x->Member[i] = ...`, `x.Member.part = ...`, in a file of src/ that is not
one of the window's own files (src/app/form1*.cpp) and includes the window's header.
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "..", "src")
HEADER = os.path.join(SRC, "app", "form1.h")


def strip_templates(text):
    """The text with every <...> (nested too) taken out, so that commas and parentheses of
    template arguments do not count."""
    out, depth = [], 0
    for ch in text:
        if ch == "<":
            depth += 1
        elif ch == ">" and depth:
            depth -= 1
        elif not depth:
            out.append(ch)
    return "".join(out)


def public_members():
    with open(HEADER, encoding="utf-8") as f:
        text = f.read()
    body = text[text.index("class TForm1 "):]
    body = body[body.index("{") + 1:]
    members, public = [], False
    statement = ""
    for line in body.splitlines():
        line = re.sub(r"//.*", "", line).strip()
        if re.match(r"^(public|signals|protected|private)\s*:", line):
            public = line.startswith("public")
            statement = ""
            continue
        if not public or not line or line.startswith("Q_OBJECT"):
            continue
        statement += " " + line
        if not (statement.rstrip().endswith(";") or statement.rstrip().endswith("}")):
            continue
        decl = strip_templates(statement.strip())
        statement = ""
        decl = re.sub(r"\{[^{}]*\}", "", decl)  # brace initialisers and inline bodies
        if "(" in decl or decl.startswith(("using", "friend", "enum", "struct", "class")):
            continue
        decl = decl.rstrip(";").strip()
        for part in decl.split(","):
            part = part.split("=")[0].strip()
            name = re.findall(r"[A-Za-z_]\w*", part)
            if name:
                members.append(name[-1])
    return members


def writes(members):
    own = re.compile(r"^app/form1(_\w+)?\.(cpp|h)$")
    found = []
    pattern = re.compile(r"(?:\.|->)(" + "|".join(members) +
                         r")\b(?:\s*\[[^\]]*\])?(?:\s*\.\s*\w+)*\s*=(?!=)")
    for folder, _, names in os.walk(SRC):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(folder, name), SRC)
            if own.match(path):
                continue
            with open(os.path.join(SRC, path), encoding="utf-8") as f:
                lines = f.read().splitlines()
            if not any('#include "app/form1.h"' in line for line in lines):
                continue
            for number, line in enumerate(lines, 1):
                code = re.sub(r"//.*", "", line)
                for match in pattern.finditer(code):
                    found.append((path, number, match.group(1)))
    return found


def main():
    members = public_members()
    found = writes(members)
    folders = sorted({os.path.dirname(p) for p, _, _ in found})
    print(f"public data members of TForm1: {len(members)}")
    print(f"writes of them from other files: {len(found)}, from the folders: "
          f"{', '.join(folders) if folders else 'none'}")
    if "--brief" in sys.argv:
        return
    print("  members: " + " ".join(members))
    for path, number, member in found:
        print(f"  write: {path}:{number} {member}")


if __name__ == "__main__":
    main()
