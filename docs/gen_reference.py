#!/usr/bin/env python3
"""Generates docs/reference.md, the function reference, from the public header's comments.

The header is the one source: its banners and "==== Family ====" markers give the sections, the
comment standing before a declaration documents it, and a comment followed by a blank line
documents the section it stands in. Run with --check to compare with the committed reference.

    gen_reference.py <rk_basekit.h> <reference.md> [--check [--exports exports.txt]]

With --exports, the check also fails when a listed function is not declared and documented.
"""
import re
import sys

BANNER_RULE = re.compile(r"^/?\s*\*?\s*={20,}")
MARKER = re.compile(r"^/\* ==== (.+?) ==== \*/$")
MEMBER = re.compile(r"^/\* ---- (.+?) ---- \*/$")
PRELUDE_END = "#ifdef __cplusplus"


def comment_text(lines):
    """The text of a /* ... */ comment given as its source lines."""
    text = []
    for line in lines:
        line = line.strip()
        line = re.sub(r"^/\*+", "", line)
        line = re.sub(r"\*+/$", "", line)
        line = re.sub(r"^\*(?!/)", "", line)
        text.append(line.strip())
    return " ".join(t for t in text if t)


def parse(header_lines):
    """Yields ('section', level, title), ('note', text), ('code', text, doc) and ('function', decl, doc)."""
    i = 0
    n = len(header_lines)
    started = False
    pending = None
    while i < n:
        line = header_lines[i].rstrip("\n")
        stripped = line.strip()
        if not started:
            # Everything before the first banner of the body (the file comment, includes and the
            # export macro) is left out; the file comment becomes the introduction.
            if stripped.startswith("extern \"C\"") or stripped == PRELUDE_END:
                started = True
            i += 1
            continue
        if stripped.startswith("/* ====") and BANNER_RULE.match(stripped) and not MARKER.match(stripped):
            title = []
            i += 1
            while i < n and not BANNER_RULE.match(header_lines[i].strip()):
                title.append(header_lines[i].strip().lstrip("*").strip())
                i += 1
            i += 1
            pending = None
            yield ("section", 2, " ".join(t for t in title if t))
            continue
        m = MARKER.match(stripped)
        if m:
            pending = None
            yield ("section", 3, m.group(1))
            i += 1
            continue
        m = MEMBER.match(stripped)
        if m:
            pending = None
            yield ("section", 4, m.group(1))
            i += 1
            continue
        if stripped.startswith("/*"):
            block = [line]
            while "*/" not in header_lines[i]:
                i += 1
                block.append(header_lines[i].rstrip("\n"))
            i += 1
            text = comment_text(block)
            following = header_lines[i].strip() if i < n else ""
            if following == "":
                yield ("note", text)
                pending = None
            else:
                pending = text
            continue
        if stripped.startswith("RK_API"):
            decl = [stripped]
            while not decl[-1].endswith(";"):
                i += 1
                decl.append(header_lines[i].strip())
            i += 1
            text = " ".join(decl)
            text = re.sub(r"^RK_API\s+", "", text)
            text = re.sub(r"\s+", " ", text).replace("( ", "(")
            yield ("function", text, pending or "")
            pending = None
            continue
        if stripped.startswith(("typedef", "enum", "#define", "struct", "union")):
            block = [line]
            depth = line.count("{") - line.count("}")
            while (depth > 0 or not block[-1].rstrip().endswith((";", ")")) and not block[0].startswith("#define")) and i + 1 < n:
                if block[0].startswith("#define"):
                    break
                i += 1
                block.append(header_lines[i].rstrip("\n"))
                depth += header_lines[i].count("{") - header_lines[i].count("}")
                if depth == 0 and block[-1].rstrip().endswith(";"):
                    break
            i += 1
            yield ("code", "\n".join(block), pending or "")
            pending = None
            continue
        if stripped == "" or stripped.startswith("#"):
            i += 1
            continue
        i += 1


def intro(header_lines):
    """The header's opening comment, as paragraphs."""
    out = []
    for line in header_lines[1:]:
        if line.strip().startswith("*/"):
            break
        out.append(re.sub(r"^\s*\*\s?", "", line.rstrip("\n")))
    return "\n".join(out).strip()


def slug(title):
    return re.sub(r"[^a-z0-9 -]", "", title.lower()).replace(" ", "-")


def render(header_lines):
    items = list(parse(header_lines))
    out = ["# rkbasekit function reference", "",
           "Generated from `include/rk_basekit.h` by `docs/gen_reference.py`; do not edit by hand.", "",
           intro(header_lines), "", "## Contents", ""]
    for kind, *rest in items:
        if kind == "section":
            level, title = rest
            if level < 4:
                indent = "  " if level == 3 else ""
                out.append(f"{indent}- [{title}](#{slug(title)})")
    count = sum(1 for item in items if item[0] == "function" and not item[1].startswith("extern"))
    out += ["", f"{count} functions.", ""]
    for kind, *rest in items:
        if kind == "section":
            level, title = rest
            out += ["#" * level + " " + title, ""]
        elif kind == "note":
            out += [rest[0], ""]
        elif kind == "code":
            code, doc = rest
            if doc:
                out += [doc, ""]
            out += ["```c", code, "```", ""]
        elif kind == "function":
            decl, doc = rest
            name = re.search(r"(\w+)\s*[(\[;]", decl).group(1)
            out += [f"- <a id=\"{name.lower()}\"></a>`{decl}`", f"  {doc}" if doc else "  (undocumented)", ""]
    return "\n".join(out).rstrip() + "\n"


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    with open(argv[1], encoding="utf-8") as f:
        header_lines = f.readlines()
    text = render(header_lines)
    if "--check" in argv[3:]:
        status = 0
        with open(argv[2], encoding="utf-8") as f:
            if f.read() != text:
                print(f"{argv[2]} is out of date: run docs/gen_reference.py {argv[1]} {argv[2]}")
                status = 1
        if "--exports" in argv[3:]:
            documented = {re.search(r"(\w+)\s*[(\[;]", item[1]).group(1)
                          for item in parse(header_lines) if item[0] == "function" and item[2]}
            with open(argv[argv.index("--exports") + 1], encoding="utf-8") as f:
                exported = [line.strip() for line in f if line.strip()]
            for name in exported:
                if name not in documented:
                    print(f"{name} is exported but not declared and documented in {argv[1]}")
                    status = 1
        return status
    with open(argv[2], "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
